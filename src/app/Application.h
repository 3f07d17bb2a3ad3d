#pragma once
// The application object: the hidden owner window of every top-level window of the
// program, the message loop, and termination.

#include <functional>
#include <string>

#include "platform/Window.h"

class Application : private platform::Window {
 public:
  Application();

  HWND Handle() const { return platform::Window::Handle(); }
  void SetTitle(const std::string& title);

  // Runs the message loop until Terminate; `preTranslate` may consume a message first.
  void Run(const std::function<bool(const MSG&)>& preTranslate);
  // Handles the waiting messages, for code that must wait without blocking the windows.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

 private:
  bool terminated_ = false;
};
