// Opening the options dialog, and what the bar does when it closes, however it closes.

#include "app/Ticker.h"
#include "dialogs/Options.h"

void TForm1::aOptionsExecute() {
  // One dialog at a time, also across running copies.
  HWND open = ::FindWindowA(nullptr, TOptionsForm::kTitle);
  if (open && ::IsWindowVisible(open)) return;
  SetPaused(false);
  aRestoreExecute();
  // Neither minimize nor reload while the user is choosing.
  StopHideTimer();
  StopSourceChecks();
  CreateModal<TOptionsForm>();
  // The program was asked to end meanwhile: its exit sequence does the rest.
  if (application_.Terminated()) return;
  ::SetWindowPos(Handle(), values_.AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  RestartHideTimer();
  ApplyAutoReload();
  ForceRead();
  TimerGetFileTimer();
  SaveTickerSettings();
}
