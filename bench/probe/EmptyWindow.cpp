// The probe's baseline: an empty top-level window with a message loop and nothing else,
// the same size as the bar, so that the bar's own cost is the difference.

#include <windows.h>

namespace {

LRESULT CALLBACK EmptyWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &EmptyWindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "ProbeBaseline";
  ::RegisterClassA(&windowClass);
  HWND window =
      ::CreateWindowExA(WS_EX_TOOLWINDOW, "ProbeBaseline", "", WS_POPUP | WS_VISIBLE, 0, 0,
                        ::GetSystemMetrics(SM_CXSCREEN), 24, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
