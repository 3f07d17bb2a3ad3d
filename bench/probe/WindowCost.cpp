// The memory probe's measure of one window's share of the window system: the empty window of
// the baseline and N more windows, each message-only with a timer, as the bar's timers are, or
// hidden top-level ones.
//   window_cost.exe <count> [top]

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const int count = std::atoi(commandLine);
  const bool topLevel = std::strstr(commandLine, "top") != nullptr;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "WindowCost";
  ::RegisterClassA(&windowClass);
  HWND window =
      ::CreateWindowExA(WS_EX_TOOLWINDOW, "WindowCost", "", WS_POPUP | WS_VISIBLE, 0, 0,
                        ::GetSystemMetrics(SM_CXSCREEN), 24, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  for (int i = 0; i < count; ++i) {
    HWND extra = ::CreateWindowExA(0, "WindowCost", "", topLevel ? WS_POPUP : 0, 0, 0, 0, 0,
                                   topLevel ? nullptr : HWND_MESSAGE, nullptr, instance, nullptr);
    if (!topLevel) ::SetTimer(extra, 1, 60000, nullptr);
  }
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
