// The probe's baseline: an empty top-level window with a message loop and nothing else,
// the same size as the bar, so that the bar's own cost is the difference.
//   probe_baseline.exe [count [top]]
// With a count, for the memory probe's share of one window: that many more windows, each
// message-only with a timer, as the bar's timers are, or hidden top-level ones.

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK EmptyWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
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
  const bool topLevel = std::strstr(commandLine, "top") != nullptr;
  for (int i = std::atoi(commandLine); i > 0; --i) {
    HWND extra = ::CreateWindowExA(0, "ProbeBaseline", "", topLevel ? WS_POPUP : 0, 0, 0, 0, 0,
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
