#include "core/marquee/VerticalLines.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

namespace core {

namespace {

// A label far off the top must not wrap round to below the bar.
std::int32_t Raised(std::int32_t top, std::int32_t amount) {
  const std::int64_t raised = std::int64_t{top} - amount;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      raised, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void VerticalLines::Layout(std::int32_t height) {
  label1_.top = 0;
  label2_.top = 0;
  height_ = std::max<std::int32_t>(height, 0);
}

void VerticalLines::NextLine(std::span<const std::u16string_view> displayLines) {
  std::size_t count = displayLines.size();
  if (count > 0 && displayLines.back().empty()) --count;
  if (static_cast<std::size_t>(vertLineIndex_) >= count) vertLineIndex_ = 0;
  VerticalLabel& waiting = incomingIsLabel2_ ? label2_ : label1_;
  if (count > 0) {
    waiting.caption.assign(displayLines[static_cast<std::size_t>(vertLineIndex_)]);
    waiting.line = vertLineIndex_;
  } else {
    waiting.caption.clear();
    waiting.line = -1;
  }
  ++vertLineIndex_;
}

bool VerticalLines::SlideStep(std::int32_t amount) {
  // A step of nothing would leave the slide stuck short of the top.
  amount = std::max<std::int32_t>(amount, 1);
  label1_.top = Raised(label1_.top, amount);
  label2_.top = Raised(label2_.top, amount);
  VerticalLabel& waiting = incomingIsLabel2_ ? label2_ : label1_;
  VerticalLabel& other = incomingIsLabel2_ ? label1_ : label2_;
  if (waiting.top >= 1) return false;
  waiting.top = 0;
  other.top = height_;
  incomingIsLabel2_ = label1_.top < label2_.top;
  return true;
}

std::int32_t VerticalLines::LineAt(std::int32_t y) const {
  // Label2 is drawn over Label1.
  const std::array<const VerticalLabel*, 2> labels{&label2_, &label1_};
  const auto under = std::find_if(labels.begin(), labels.end(), [&](const VerticalLabel* label) {
    return y >= label->top && y < label->top + height_;
  });
  return under == labels.end() ? -1 : (*under)->line;
}

void VerticalLines::Clear() {
  label1_.caption.clear();
  label2_.caption.clear();
  label1_.line = -1;
  label2_.line = -1;
  vertLineIndex_ = 0;
}

}  // namespace core
