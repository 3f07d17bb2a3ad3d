#include "core/marquee/MarqueeBounce.h"

#include <cstring>

namespace core {

void MarqueeBounce::Restart(int clientWidth) {
  x_ = clientWidth;
  next_ = 1;
  shown_.clear();
  direction_ = Direction::kLeft;
}

MarqueeFrame MarqueeBounce::Step(const MarqueeStepContext& context) {
  if (context.text.empty()) return {};
  const int textWidth = context.WholeWidth();
  if (textWidth > 0 && textWidth < context.clientWidth) {
    StepFitting(context, textWidth);
  } else if (direction_ == Direction::kLeft) {
    StepLeft(context);
  } else if (direction_ == Direction::kRight) {
    StepRight(context);
  }
  MarqueeFrame frame;
  frame.copyBand = true;
  frame.text = shown_;
  frame.x = x_;
  return frame;
}

void MarqueeBounce::StepFitting(const MarqueeStepContext& context, int textWidth) {
  // Compared as bytes: a step of a fitting text should cost next to nothing.
  const bool same =
      shown_.size() == context.text.size() &&
      std::memcmp(shown_.data(), context.text.data(), shown_.size() * sizeof(char16_t)) == 0;
  if (!same) shown_.assign(context.text);
  if (direction_ == Direction::kLeft) {
    x_ -= context.amount;
    if (x_ <= 0) {
      x_ = 0;
      direction_ = Direction::kRight;
    }
  } else if (direction_ == Direction::kRight) {
    x_ += context.amount;
    if (textWidth + x_ >= context.clientWidth) {
      x_ = context.clientWidth - textWidth;
      direction_ = Direction::kLeft;
    }
  }
  // The whole text is shown, so every character is in; should the text stop fitting (a
  // narrower control, a wider font), the long text's stepping continues from here instead of
  // appending the text's start a second time.
  if (direction_ == Direction::kLeft) next_ = context.text.size() + 1;
  if (direction_ == Direction::kRight) next_ = 0;
}

void MarqueeBounce::StepLeft(const MarqueeStepContext& context) {
  TextMeasurer& measurer = context.measurer;
  x_ -= context.amount;
  if (x_ < 0) {
    // Unlike ssScroll, a character leaves only once its right edge is past the left edge.
    std::size_t leaving = 0;
    while (leaving < shown_.size()) {
      const int width = measurer.Width(std::u16string_view(shown_).substr(leaving, 1));
      if (width + x_ >= 0) break;
      x_ += width;
      ++leaving;
    }
    shown_.erase(0, leaving);
  }
  while (measurer.Width(shown_) + x_ < context.clientWidth) {
    if (next_ > context.text.size()) {
      // The end of the text is inside: turn; next_ is the last character that left.
      direction_ = Direction::kRight;
      next_ = context.text.size() - shown_.size();
      return;
    }
    shown_ += context.text[next_ - 1];
    ++next_;
  }
}

void MarqueeBounce::StepRight(const MarqueeStepContext& context) {
  TextMeasurer& measurer = context.measurer;
  x_ += context.amount;
  // A character leaves once its left edge is beyond the right edge.
  while (!shown_.empty()) {
    const std::u16string_view shown = shown_;
    const int lastWidth = measurer.Width(shown.substr(shown.size() - 1));
    if (measurer.Width(shown) + x_ - lastWidth <= context.clientWidth) break;
    shown_.pop_back();
  }
  while (x_ > 0) {
    if (next_ < 1) {
      // The start of the text is inside: turn.
      direction_ = Direction::kLeft;
      next_ = shown_.size() + 1;
      return;
    }
    const char16_t entering = context.text[next_ - 1];
    shown_.insert(shown_.begin(), entering);
    x_ -= measurer.Width(std::u16string_view(&entering, 1));
    --next_;
  }
}

}  // namespace core
