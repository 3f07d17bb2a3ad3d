#include "core/marquee/MarqueeBlink.h"

#include "core/marquee/MarqueeText.h"

namespace core {

void MarqueeBlink::Restart(TextMeasurer& measurer, std::u16string_view text, int clientWidth) {
  on_ = false;
  shown_.assign(text.substr(0, LongestStartWithin(measurer, text, clientWidth)));
}

MarqueeFrame MarqueeBlink::Step(const MarqueeStepContext& context) {
  if (shown_.empty()) return {};
  MarqueeFrame frame;
  frame.copyBand = true;
  frame.x = (context.clientWidth - context.measurer.Width(shown_)) / 2;
  on_ = !on_;
  if (on_) frame.text = shown_;
  return frame;
}

}  // namespace core
