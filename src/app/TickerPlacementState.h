#pragma once
// Where the bar is and how it is laid out. Only TickerPlacement.cpp, TickerInput.cpp and
// TickerCommandLine.cpp use it.

#include "core/placement/BarPlacement.h"
#include "platform/Timer.h"

struct TickerPlacementState {
  platform::Timer TimerRedock{0};
  int redockChecksLeft = 0;
  // Where the cursor and the bar were at the last mouse-down, dock or undock.
  core::Point DragStartCursor;
  core::Point DragStartPos;
  // The last layout, which the line labels of vertical mode follow.
  core::BarLayout layout;
};
