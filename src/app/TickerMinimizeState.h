#pragma once
// Minimizing, hiding and restoring the bar. Only TickerMinimize.cpp uses it.

#include "platform/Timer.h"

struct TickerMinimizeState {
  platform::Timer TimerHideTime{0};
  bool Minimized = false;
};
