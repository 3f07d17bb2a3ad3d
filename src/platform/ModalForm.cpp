#include "platform/ModalForm.h"

#include "platform/Application.h"

namespace platform {

int ModalForm::ShowModal() {
  HWND owner = ::GetWindow(Handle(), GW_OWNER);
  const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
  if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
  modal_ = true;
  result_ = IDCANCEL;
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  RunMessageLoop([this] { return modal_ && Handle(); },
                 [this](const MSG& message) {
                   // The system takes the message as writable, but only reads it.
                   return ::IsDialogMessageA(Handle(), const_cast<MSG*>(&message)) != 0;
                 });
  modal_ = false;
  // Enable the owner before hiding, so that the system activates the owner and not
  // some other program's window.
  if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
  if (owner) ::SetActiveWindow(owner);
  if (Handle()) {
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  return result_;
}

void ModalForm::EndModal(int result) {
  result_ = result;
  modal_ = false;
}

LRESULT ModalForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    EndModal(IDCANCEL);
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace platform
