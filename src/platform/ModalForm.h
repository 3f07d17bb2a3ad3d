#pragma once
// A top-level window shown modally over its owner: the owner is disabled until it closes.

#include "platform/Window.h"

namespace platform {

// A dialog of fixed size with a caption and a close box, its client area given at 96 DPI and
// sized for `dpi`; the caller places it and names its parent.
WindowPlacement FixedDialogPlacement(int clientWidth, int clientHeight, int dpi);

class ModalForm : public Window {
 public:
  // Shows the window and handles messages until EndModal; returns its result. Ends as a
  // cancel when the program is asked to quit meanwhile.
  int ShowModal();
  bool Showing() const { return modal_; }

 protected:
  ModalForm();
  void EndModal(int result);
  // Sees every message for the form before the dialog keys do (IsDialogMessage); true when it
  // has handled the message.
  virtual bool PreTranslate(const MSG& message);
  // The button that Enter clicks when no button has the focus (DM_GETDEFID); 0 for none.
  virtual UINT DefaultButtonId() const { return 0; }
  // Closing the window by its close button or Alt+F4 is a cancel.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void MoveFocus(WPARAM target, bool toWindow);

  bool modal_ = false;
  int result_ = 0;
};

}  // namespace platform
