#include "platform/ModalForm.h"

#include "platform/Application.h"
#include "platform/CommonControlsLibrary.h"
#include "platform/Dpi.h"

namespace platform {

WindowPlacement FixedDialogPlacement(int clientWidth, int clientHeight, int dpi) {
  WindowPlacement placement;
  placement.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  placement.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  const SIZE outer = WindowSizeFor(Scaled(clientWidth, dpi), Scaled(clientHeight, dpi),
                                   placement.style, placement.exStyle, dpi);
  placement.width = outer.cx;
  placement.height = outer.cy;
  return placement;
}

ModalForm::ModalForm() {
  // The tab control and the spin fields' buttons are common controls.
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  comctl32::InitCommonControlsEx(&classes);
}

bool ModalForm::PreTranslate(const MSG&) {
  return false;
}

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
                   const bool forThisForm =
                       message.hwnd == Handle() || ::IsChild(Handle(), message.hwnd);
                   if (forThisForm && PreTranslate(message)) return true;
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

// As the dialog manager does: the accelerator of a label gives the focus to the label, then on
// to the field after it.
void ModalForm::MoveFocus(WPARAM target, bool toWindow) {
  HWND next = toWindow ? reinterpret_cast<HWND>(target)
                       : ::GetNextDlgTabItem(Handle(), ::GetFocus(), target != 0);
  if (!next || !(next == Handle() || ::IsChild(Handle(), next))) return;
  ::SetFocus(next);
  // A field reached by the keyboard is selected whole, ready to be typed over.
  if (::SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    ::SendMessageA(next, EM_SETSEL, 0, -1);
  }
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
  if (message == WM_NEXTDLGCTL) {
    MoveFocus(wParam, lParam != 0);
    return 0;
  }
  if (message == DM_GETDEFID) {
    const UINT id = DefaultButtonId();
    return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace platform
