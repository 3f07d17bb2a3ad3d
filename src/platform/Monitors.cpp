#include "platform/Monitors.h"

namespace platform {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM list) {
  reinterpret_cast<std::vector<core::Rect>*>(list)->push_back(ToRect(*bounds));
  return TRUE;
}

}  // namespace

std::vector<core::Rect> MonitorBounds() {
  std::vector<core::Rect> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    monitors.push_back({0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
  }
  return monitors;
}

std::optional<core::Point> CursorPosition() {
  POINT point{};
  if (!::GetCursorPos(&point)) return std::nullopt;
  return core::Point{point.x, point.y};
}

core::Point MessageCursorPosition() {
  const DWORD at = ::GetMessagePos();
  return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

core::Rect ToRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT ToRECT(const core::Rect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

core::Rect WindowBounds(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return ToRect(rect);
}

}  // namespace platform
