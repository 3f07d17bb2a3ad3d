// The vertical mode, line by line, and the pause over either mode.

#include "app/Ticker.h"

// A new text starts from its first line, which comes in at once; the next one follows a full
// VertLineDelay later.
void TForm1::ResetVerticalLines() {
  if (!values_.Vertical) return;
  vertical_.TimerVertLineDelay.SetEnabled(false);
  TimerVertLineDelayTimer();
  vertical_.TimerVertLineDelay.SetEnabled(true);
}
