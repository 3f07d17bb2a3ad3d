#pragma once
// Display lines of the vertical mode: paragraphs broken at a width the way a word-wrapping
// edit control breaks them.

#include <string>
#include <string_view>
#include <vector>

#include "core/marquee/MarqueeTextMeasurer.h"
#include "core/text/TextLines.h"

namespace core {

// One paragraph's display lines: each line ends after the last blank that still fits; a word
// wider than the whole width is broken where it stops fitting, between whole characters (see
// StartsCharacter). A width below one character still takes one character per line, so the walk
// always ends.
std::vector<std::u16string_view> WrapParagraph(TextMeasurer& measurer,
                                               std::u16string_view paragraph, int width);

// `RichEdit1`: the lines now shown, one paragraph each, wrapped on demand.
class DisplayLines {
 public:
  void Clear() { lines_.Clear(); }
  // Takes the shown lines over without copying them.
  void SetLines(TextLines lines) { lines_ = std::move(lines); }
  const std::vector<std::u16string_view>& Paragraphs() { return lines_.Lines(); }
  std::size_t ParagraphCount() { return lines_.Lines().size(); }
  // The story address of the paragraph that `piece` (a paragraph or a display line) is from.
  std::string_view LinkOf(std::u16string_view piece) { return lines_.LinkOf(piece); }
  std::size_t LinkedSize(std::u16string_view line) { return lines_.LinkedSize(line); }
  const ItemFacts* ItemOf(std::u16string_view piece) const { return lines_.ItemOf(piece); }
  // All display lines at the width.
  std::vector<std::u16string_view> Wrap(TextMeasurer& measurer, int width);

 private:
  TextLines lines_;
};

}  // namespace core
