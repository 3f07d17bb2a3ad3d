// The program entry: the application object, the bar as main window, the message loop.

#include <windows.h>

#include <exception>

#include "app/Application.h"
#include "app/Ticker.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Application application;
    application.SetTitle("");
    auto bar = std::make_unique<TForm1>(application);
    application.Run([&bar](const MSG& message) { return bar->IsShortCut(message); });
    bar.reset();
    return 0;
  } catch (const std::exception& e) {
    platform::Window::ShowUnhandledError(e.what());
  }
  return 1;
}
