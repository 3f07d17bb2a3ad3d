// Minimizing the bar to a strip at its edge (or hiding it), restoring it, the hide timer, the
// reveal on mouse-over, and the tray icon that stands in for the bar meanwhile.

#include <utility>

#include "app/Commands.h"
#include "app/ResourceIds.h"
#include "app/Ticker.h"

void TForm1::CreateTrayIcon() {
  TrayIcon2 = std::make_unique<TTrayIcon>(
      TrayIconHost{.applicationWindow = application_.Handle(),
                   .processMessages = [this] { application_.ProcessMessages(); },
                   .endProgram = [this] { application_.Terminate(); },
                   .log =
                       [this](const std::string& line) {
                         if (log_) Log(line);
                       }});
  // The notification area shows small icons at the system's density.
  const int size = ::GetSystemMetrics(SM_CXSMICON);
  const platform::UniqueIcon icon(static_cast<HICON>(::LoadImageA(
      platform::ModuleInstance(), MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, size, size, 0)));
  TrayIcon2->SetIcon(icon.get());
  TrayIcon2->OnClick = [this] { IconMinRestClick(); };
  TrayIcon2->Loaded();
}

void TForm1::aMinimizeExecute() {
  minimize_.Minimized = true;
  TrayIcon2->SetActive(true);
  TrayIcon2->PopupMenu = PopupMenu2.get();
  const core::Rect bounds = BarBounds();
  if (AppBar1->Edge() == TEdge::abeBottom) {
    MoveBarTo({bounds.left, core::MinimizedTop(bounds.top, bounds.Height(), Dpi())});
  } else if (IsFloating()) {
    ::ShowWindow(Handle(), SW_HIDE);
  }
  ApplyHeightRule();
  // The reserved strip shrinks with the bar.
  if (!IsFloating()) Redock();
}

void TForm1::aRestoreExecute() {
  const bool wasMinimized = std::exchange(minimize_.Minimized, false);
  ApplyTrayIconVisibility();
  TrayIcon2->PopupMenu = PopupMenu1.get();
  const core::Rect bounds = BarBounds();
  if (AppBar1->Edge() == TEdge::abeBottom) {
    // Only a strip moves up: a visible bar would jump at every text change and back.
    if (wasMinimized) {
      MoveBarTo({bounds.left,
                 core::RestoredTop(bounds.top, Marquee1->FittedHeight(), values_.Frame, Dpi())});
    }
  } else if (IsFloating()) {
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  }
  ApplyHeightRule();
  Redock();
  if (!values_.AlwaysOnTop) {
    // To the front, without staying above other windows.
    for (HWND insertAfter : {HWND_TOPMOST, HWND_NOTOPMOST}) {
      ::SetWindowPos(Handle(), insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  // A running count goes on; a stopped one starts now, or once the options dialog has closed.
  if (values_.HideOnTimer && !optionsOpen_) minimize_.TimerHideTime.SetEnabled(true);
}

void TForm1::IconMinRestClick() {
  if (minimize_.Minimized) {
    aRestoreExecute();
  } else {
    aMinimizeExecute();
  }
}

void TForm1::SetTotallyHide(bool hide) {
  values_.TotallyHide = hide;
  if (platform::Action* minimize = ActionList1.Find(CMD_MINIMIZE)) {
    minimize->caption = hide ? "&Hide" : "&Minimize";
  }
}

// While minimized the icon is the only way back; while visible it shows unless hidden.
void TForm1::ApplyTrayIconVisibility() {
  if (startingUp_) return;  // the start applies it once the bar is shown
  TrayIcon2->SetActive(minimize_.Minimized || !values_.HideTrayicon);
}

void TForm1::TimerHideTimeTimer() {
  minimize_.TimerHideTime.SetEnabled(false);
  aMinimizeExecute();
}

void TForm1::RevealOnMouseOver() {
  if (values_.ShowOnMouseOver && minimize_.Minimized) aRestoreExecute();
}

void TForm1::StopHideTimer() {
  minimize_.TimerHideTime.SetEnabled(false);
}

// The bar hides HideTimeDelay after the last change of the text.
void TForm1::RestartHideTimer() {
  minimize_.TimerHideTime.SetEnabled(false);
  minimize_.TimerHideTime.SetEnabled(values_.HideOnTimer && !optionsOpen_);
}
