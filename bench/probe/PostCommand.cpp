// Sends a menu command to the running bar, as its menu would, so that the probe can measure
// the bar in a state that only the user can put it in (paused, minimized).
//   post_command.exe <command id>

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const int command = std::atoi(commandLine);
  HWND bar = ::FindWindowA("TForm1", nullptr);
  if (!bar || command <= 0) return 1;
  return ::PostMessageA(bar, WM_COMMAND, static_cast<WPARAM>(command), 0) ? 0 : 1;
}
