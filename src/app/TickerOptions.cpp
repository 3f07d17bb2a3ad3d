// Opening the options dialog, and what the bar does when it closes, however it closes.

#include "app/Ticker.h"
#include "dialogs/Options.h"

namespace {

// Sets a flag for its own lifetime, however the scope is left.
class RaisedWhileAlive {
 public:
  explicit RaisedWhileAlive(bool& flag) : flag_(flag) { flag_ = true; }
  ~RaisedWhileAlive() { flag_ = false; }
  RaisedWhileAlive(const RaisedWhileAlive&) = delete;
  RaisedWhileAlive& operator=(const RaisedWhileAlive&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void TForm1::aOptionsExecute() {
  // One dialog at a time, also across running copies.
  HWND open = ::FindWindowA(nullptr, TOptionsForm::kTitle);
  if (open && ::IsWindowVisible(open)) return;
  SetPaused(false);
  aRestoreExecute();
  // Neither minimize nor reload while the user is choosing, whatever a web report says.
  StopHideTimer();
  StopSourceChecks();
  runner_->Hold();
  {
    const RaisedWhileAlive choosing(optionsOpen_);
    CreateModal<TOptionsForm>();
  }
  runner_->Resume();
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
