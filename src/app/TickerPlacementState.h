#pragma once
// Where the bar is and how it is laid out. Only TickerPlacement.cpp uses it.

#include "platform/Timer.h"

struct TickerPlacementState {
  platform::Timer TimerRedock{0};
};
