#pragma once
// ssScroll: the text moves left, characters appended at the right edge and dropped at the left.

#include "core/marquee/MarqueeStep.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

class MarqueeScroll {
 public:
  // Starts a run: the text will enter from the right edge.
  void Restart(int clientWidth);
  // One step; restarts by itself when a non-continuous text has left completely.
  MarqueeFrame Step(const MarqueeStepContext& context);
  // The characters now on screen.
  std::u16string_view Shown() const { return shown_; }
  // The 0-based index in a text of `textLength` characters of the character drawn at `x`;
  // nullopt left of the first shown character and right of the last.
  std::optional<std::size_t> TextPositionAt(int x, TextMeasurer& measurer,
                                            std::size_t textLength) const;
  // The font changed: widths kept from earlier steps no longer hold.
  void ForgetWidths() { ShownChanged(); }

 private:
  void ShownChanged();
  void DropLeft(TextMeasurer& measurer);
  void Append(const MarqueeStepContext& context);

  int x_ = 0;             // x of the first shown character
  std::size_t next_ = 1;  // 1-based index of the next character to append
  std::u16string shown_;
  std::optional<int> shownWidth_;  // width of shown_ as one run
  std::optional<int> firstWidth_;  // width of its first character
};

}  // namespace core
