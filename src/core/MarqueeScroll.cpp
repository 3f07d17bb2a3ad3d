#include "core/MarqueeScroll.h"

namespace core {

void MarqueeScroll::Restart(int clientWidth) {
  x_ = clientWidth;
  next_ = 1;
  shown_.clear();
}

MarqueeFrame MarqueeScroll::Step(const MarqueeStepContext& context) {
  if (context.text.empty()) return {};
  x_ -= context.amount;
  if (x_ < 0) DropLeft(context.measurer);
  Append(context);
  // The whole text has left: it enters again from the right edge. A continuous text only
  // gets here when it has no width to follow itself with.
  if (next_ > context.text.size() && shown_.empty()) {
    Restart(context.clientWidth);
    MarqueeFrame reentered = Step(context);
    reentered.fillClient = true;
    return reentered;
  }
  MarqueeFrame frame;
  frame.copyBand = true;
  frame.text = shown_;
  frame.x = x_;
  return frame;
}

// A character leaves once its right edge has reached the left edge.
void MarqueeScroll::DropLeft(TextMeasurer& measurer) {
  std::size_t leaving = 0;
  while (leaving < shown_.size()) {
    const int width = measurer.Width(std::string_view(shown_).substr(leaving, 1));
    if (width + x_ > 0) break;
    x_ += width;
    ++leaving;
  }
  shown_.erase(0, leaving);
}

void MarqueeScroll::Append(const MarqueeStepContext& context) {
  const std::string_view text = context.text;
  if (next_ > text.size()) return;
  while (context.measurer.Width(shown_) + x_ < context.clientWidth) {
    shown_ += text[next_ - 1];
    if (++next_ <= text.size()) continue;
    // Wrapping a text without width would append forever.
    if (!context.continuous || context.WholeWidth() <= 0) break;
    next_ = 1;
  }
}

}  // namespace core
