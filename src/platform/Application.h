#pragma once
// The application object: the hidden owner window of every top-level window of the
// program, the message loop that every window (modal or not) runs on, and termination.

#include <functional>
#include <string>

#include "platform/Window.h"

namespace platform {

// Handles messages until `keepRunning` turns false or the program is asked to quit. `preTranslate`
// may consume a message before it is dispatched. False when it stopped on a quit request, which it
// leaves queued for the outermost loop.
bool RunMessageLoop(const std::function<bool()>& keepRunning,
                    const std::function<bool(const MSG&)>& preTranslate);

class Application : private Window {
 public:
  // `name` captions the error box and prefixes the program's internal window classes.
  explicit Application(std::string name);
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HWND Handle() const { return Window::Handle(); }
  const std::string& Name() const { return name_; }
  void SetTitle(const std::string& title);

  // Runs the message loop until Terminate; `preTranslate` may consume a message first.
  void Run(const std::function<bool(const MSG&)>& preTranslate);
  // Handles the waiting messages, for code that must wait without blocking the windows.
  void ProcessMessages();
  // Handles messages as they come for `milliseconds`, waiting for them in between.
  void ProcessMessagesFor(DWORD milliseconds);
  void Terminate();
  bool Terminated() const { return terminated_; }

 private:
  std::string name_;
  bool terminated_ = false;
};

// The running application's name; the program file's base name while there is none.
std::string ProgramName();

}  // namespace platform
