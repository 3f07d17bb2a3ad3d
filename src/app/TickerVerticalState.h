#pragma once
// The vertical mode and the pause over either mode. Only TickerVertical.cpp uses it.

#include "platform/Timer.h"

struct TickerVerticalState {
  platform::Timer TimerVertScrollDelay{1};
  platform::Timer TimerVertLineDelay{3000};
  platform::Timer TimerPauseTimeout{0};
};
