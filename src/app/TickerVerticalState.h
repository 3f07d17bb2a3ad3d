#pragma once
// The vertical mode and the pause over either mode. Only TickerVertical.cpp uses it.

#include <string_view>
#include <vector>

#include "core/marquee/VerticalLines.h"
#include "core/placement/ScreenGeometry.h"
#include "platform/Handles.h"
#include "platform/OffscreenCanvas.h"
#include "platform/TextRuns.h"
#include "platform/Timer.h"

struct TickerVerticalState {
  platform::Timer TimerVertScrollDelay{1};
  platform::Timer TimerVertLineDelay{3000};
  platform::Timer TimerPauseTimeout{0};
  bool Paused = false;
  // Label1 and Label2: their captions and tops, the next line and which label receives it.
  core::VerticalLines labels;
  // The display lines at the labels' width, kept until the text, the font or the width changes:
  // wrapping a large text at every tick would stall the bar.
  std::vector<std::u16string_view> displayLines;
  int wrappedWidth = -1;
  // Where the labels lie in the bar, and the width their lines wrap at.
  core::Rect area;
  int wrapWidth = 0;
  platform::UniqueFont font;
  // How the lines reach the screen in that font, decided when they are wrapped.
  platform::TextPath path = platform::TextPath::Direct;
  platform::OffscreenCanvas canvas;
};
