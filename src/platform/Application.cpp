#include "platform/Application.h"

namespace platform {
namespace {

// The one application object of the process, for the error box and the internal classes.
Application* current = nullptr;

std::string ModuleBaseName() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, length);
  name.erase(0, name.find_last_of("\\/") + 1);
  return name.substr(0, name.find_last_of('.'));
}

}  // namespace

bool RunMessageLoop(const std::function<bool()>& keepRunning,
                    const std::function<bool(const MSG&)>& preTranslate) {
  MSG message{};
  while (keepRunning()) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // Leave the quit request for the loop that waits for it.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (got == -1) return false;
    if (preTranslate && preTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return true;
}

Application::Application(std::string name) : name_(std::move(name)) {
  WindowPlacement placement;
  placement.style = WS_POPUP | WS_CLIPSIBLINGS;
  placement.x = placement.y = placement.width = placement.height = 0;
  CreateHandle({.name = "TApplication"}, "", placement);
  current = this;
}

Application::~Application() {
  if (current == this) current = nullptr;
}

void Application::SetTitle(const std::string& title) {
  ::SetWindowTextA(Handle(), title.c_str());
}

void Application::Run(const std::function<bool(const MSG&)>& preTranslate) {
  RunMessageLoop([this] { return !terminated_; }, preTranslate);
  terminated_ = true;
  // The outermost loop takes the quit request that stopped it.
  MSG quit{};
  ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void Application::ProcessMessagesFor(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  for (DWORD elapsed = 0; elapsed < milliseconds && !terminated_;
       elapsed = ::GetTickCount() - start) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    ProcessMessages();
  }
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

std::string ProgramName() {
  return current ? current->Name() : ModuleBaseName();
}

}  // namespace platform
