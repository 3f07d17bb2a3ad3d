#pragma once
// The debug window: every log line of the run, for watching the program live.

#include <string>

#include "platform/Handles.h"
#include "platform/Window.h"

class TDebugForm : public platform::Window {
 public:
  explicit TDebugForm(HWND owner);

  // Appends a line and shows the window again if the user had closed it.
  void AddLine(const std::string& line);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  platform::UniqueFont font_;
  HWND Memo1 = nullptr;
};
