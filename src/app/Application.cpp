#include "app/Application.h"

Application::Application() {
  platform::WindowPlacement placement;
  placement.style = WS_POPUP | WS_CLIPSIBLINGS;
  placement.x = placement.y = placement.width = placement.height = 0;
  CreateHandle({.name = "TApplication"}, "", placement);
}

void Application::SetTitle(const std::string& title) {
  ::SetWindowTextA(Handle(), title.c_str());
}

void Application::Run(const std::function<bool(const MSG&)>& preTranslate) {
  MSG message{};
  while (!terminated_) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (preTranslate && preTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  terminated_ = true;
}

void Application::ProcessMessages() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      // Keep the quit request for the loop that is waiting for it.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void Application::Terminate() {
  terminated_ = true;
  ::PostQuitMessage(0);
}
