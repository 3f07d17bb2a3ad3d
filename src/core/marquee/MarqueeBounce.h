#pragma once
// ssBounce: the text travels left until its end is inside, then right until its start is
// inside; a text that fits travels between the two edges as a whole.

#include "core/marquee/MarqueeStep.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

class MarqueeBounce {
 public:
  // Starts a run: the text will enter from the right edge, moving left.
  void Restart(int clientWidth);
  // One step; decides fitting on the kept whole-text width.
  MarqueeFrame Step(const MarqueeStepContext& context);
  // The characters now on screen.
  std::u16string_view Shown() const { return shown_; }

 private:
  enum class Direction { kNone, kLeft, kRight };

  void StepFitting(const MarqueeStepContext& context, int textWidth);
  void StepLeft(const MarqueeStepContext& context);
  void StepRight(const MarqueeStepContext& context);

  Direction direction_ = Direction::kNone;  // no movement before the first run
  int x_ = 0;                               // x of the first shown character
  // Moving left: 1-based index of the next character to append at the right edge.
  // Moving right: 1-based index of the next character to put in front (0 when none is left).
  std::size_t next_ = 1;
  std::u16string shown_;
};

}  // namespace core
