#pragma once
// A top-level window shown modally over its owner: the owner is disabled until it closes.

#include "platform/Window.h"

namespace platform {

class ModalForm : public Window {
 public:
  // Shows the window and handles messages until EndModal; returns its result.
  int ShowModal();

 protected:
  void EndModal(int result);
  // Closing the window by its close button or Alt+F4 is a cancel.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool modal_ = false;
  int result_ = 0;
};

}  // namespace platform
