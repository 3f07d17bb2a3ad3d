#pragma once
// A click that opens the story of the headline under it. Only TickerLinks.cpp uses it.

#include <string>

#include "core/placement/ScreenGeometry.h"
#include "platform/Timer.h"

struct TickerLinkState {
  // Runs once for the system's double-click time after a click on a headline: a second click
  // within it makes a double click, which pauses instead.
  platform::Timer TimerOpenLink{0};
  std::string pendingLink;
  core::Point press;        // screen position of the left button's press
  std::string pressedLink;  // the story under it then
  bool pressed = false;
  bool doubleClicked = false;  // the release that follows belongs to a double click
};
