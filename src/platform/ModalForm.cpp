#include "platform/ModalForm.h"

namespace platform {

int ModalForm::ShowModal() {
  HWND owner = ::GetWindow(Handle(), GW_OWNER);
  const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
  if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
  modal_ = true;
  result_ = IDCANCEL;
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  MSG message{};
  while (modal_ && Handle()) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: leave the quit request for the main loop.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    if (::IsDialogMessageA(Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
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
