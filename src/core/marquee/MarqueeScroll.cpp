#include "core/marquee/MarqueeScroll.h"

#include "core/marquee/MarqueeText.h"

namespace core {

namespace {

// A character is one unit, or a surrogate pair, never measured or drawn in halves.
std::size_t CharacterLength(std::u16string_view text, std::size_t at) {
  const auto in = [&](std::size_t i, char16_t low, char16_t high) {
    return i < text.size() && text[i] >= low && text[i] <= high;
  };
  return in(at, 0xD800, 0xDBFF) && in(at + 1, 0xDC00, 0xDFFF) ? 2 : 1;
}

}  // namespace

void MarqueeScroll::Restart(int clientWidth) {
  x_ = clientWidth;
  next_ = 1;
  shown_.clear();
  ShownChanged();
}

// Most steps only move the shown characters; their widths are measured again only when a
// character comes or goes.
void MarqueeScroll::ShownChanged() {
  shownWidth_.reset();
  firstWidth_.reset();
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

std::optional<std::size_t> MarqueeScroll::TextPositionAt(int x, TextMeasurer& measurer,
                                                         std::size_t textLength) const {
  const std::optional<std::size_t> shownIndex = CharacterAt(shown_, x - x_, measurer);
  if (!shownIndex || textLength == 0) return std::nullopt;
  // The shown characters end with the one before `next_`, the text wrapping round when
  // continuous.
  const auto length = static_cast<long long>(textLength);
  long long position = static_cast<long long>(next_) - 1 - static_cast<long long>(shown_.size()) +
                       static_cast<long long>(*shownIndex);
  position %= length;
  if (position < 0) position += length;
  return static_cast<std::size_t>(position);
}

// A character leaves once its right edge has reached the left edge.
void MarqueeScroll::DropLeft(TextMeasurer& measurer) {
  std::size_t leaving = 0;
  while (leaving < shown_.size()) {
    const std::size_t length = CharacterLength(shown_, leaving);
    if (leaving > 0 || !firstWidth_) {
      firstWidth_ = measurer.Width(std::u16string_view(shown_).substr(leaving, length));
    }
    if (*firstWidth_ + x_ > 0) break;
    x_ += *firstWidth_;
    leaving += length;
  }
  if (leaving == 0) return;
  shown_.erase(0, leaving);
  shownWidth_.reset();
  firstWidth_.reset();
}

void MarqueeScroll::Append(const MarqueeStepContext& context) {
  const std::u16string_view text = context.text;
  if (next_ > text.size()) return;
  for (;;) {
    if (!shownWidth_) shownWidth_ = context.measurer.Width(shown_);
    if (*shownWidth_ + x_ >= context.clientWidth) break;
    if (shown_.empty()) firstWidth_.reset();
    const std::size_t length = CharacterLength(text, next_ - 1);
    shown_.append(text.substr(next_ - 1, length));
    shownWidth_.reset();
    next_ += length;
    if (next_ <= text.size()) continue;
    // Wrapping a text without width would append forever.
    if (!context.continuous || context.WholeWidth() <= 0) break;
    next_ = 1;
  }
}

}  // namespace core
