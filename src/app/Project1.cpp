// The program entry: the application object, the bar as main window, the message loop.

#include <windows.h>

#include <exception>

#include "app/Ticker.h"
#include "platform/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    platform::Application application("Driftline");
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
