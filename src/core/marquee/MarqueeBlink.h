#pragma once
// ssBlink: the start of the text that fits, centred, shown and blanked on alternate steps.

#include "core/marquee/MarqueeStep.h"

#include <string>
#include <string_view>

namespace core {

class MarqueeBlink {
 public:
  // Starts a run: cuts the text to the client width (only here) and begins with the text shown.
  void Restart(TextMeasurer& measurer, std::u16string_view text, int clientWidth);
  // One step: the next phase.
  MarqueeFrame Step(const MarqueeStepContext& context);
  // The cut text, also during the blank phase.
  std::u16string_view Shown() const { return shown_; }

 private:
  bool on_ = false;
  std::u16string shown_;
};

}  // namespace core
