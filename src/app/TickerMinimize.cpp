// Minimizing, hiding and restoring the bar.

#include "app/Ticker.h"

// The bar hides HideTimeDelay after the last change of the text.
void TForm1::RestartHideTimer() {
  minimize_.TimerHideTime.SetEnabled(false);
  minimize_.TimerHideTime.SetEnabled(values_.HideOnTimer);
}
