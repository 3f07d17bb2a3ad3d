#include "platform/Dpi.h"

#include <cstddef>

#include "platform/Handles.h"

namespace platform {

namespace {

// Functions of systems since Windows 10 1607, looked up so that older ones still start.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = ::GetModuleHandleA("user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(user32, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

}  // namespace

int SystemDpi() {
  const ScopedGetDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : core::kUnscaledDpi;
}

int DpiOf(HWND window) {
  static const auto forWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (forWindow && window) {
    if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

LOGFONTA MessageFontAt(int dpi) {
  NONCLIENTMETRICSA metrics{};
  // Without the padded border width, which systems before Vista do not know.
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  const int systemDpi = SystemDpi();
  LOGFONTA font{};
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    font = metrics.lfMessageFont;
  } else {
    ::lstrcpynA(font.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
    font.lfHeight = -::MulDiv(8, systemDpi, 72);
  }
  // The system gives it at its own density.
  font.lfHeight = ::MulDiv(font.lfHeight, dpi, systemDpi);
  return font;
}

SIZE WindowSizeFor(int width, int height, DWORD style, DWORD exStyle, int dpi) {
  static const auto forDpi =
      User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  RECT outer{0, 0, width, height};
  if (!forDpi || !forDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    outer = {0, 0, width, height};
    ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  }
  return {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace platform
