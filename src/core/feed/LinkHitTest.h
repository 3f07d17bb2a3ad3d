#pragma once
// Which shown line a click falls on. The marquee's text is the lines joined, each followed by
// one blank; the character under the cursor gives the line. Runs only on a click or a cursor
// change, never while the text scrolls.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/text/ItemFacts.h"

namespace core {

// The index of the line whose characters hold `position` of the joined text. The blank after
// each line belongs to none, nor does a position past the end.
std::optional<std::size_t> LineAtTextPosition(std::span<const std::u16string_view> lines,
                                              std::size_t position);

// The items of the shown text by where they are, worked out once when the text is set: the one
// place that says which item is where on the bar, in the marquee's joined text and in the
// vertical mode's lines. The cursor's every move then looks its link up without scanning.
class ItemTable {
 public:
  // A line's link (UTF-8), how many units of the line, from its start, the link covers, and
  // the item the line shows.
  struct LineLink {
    std::string_view link;
    std::size_t size = 0;
    const ItemFacts* item = nullptr;
  };
  using LinkOfLine = std::function<LineLink(std::u16string_view line)>;

  ItemTable() = default;
  // `lines`: the shown lines, views into one buffer in its order; `linkOf` gives each its link
  // and item, views into what the lines' owner keeps: the table is valid while the lines are.
  ItemTable(std::span<const std::u16string_view> lines, const LinkOfLine& linkOf);

  // The item of the line that holds `position` of the joined text, or of the line that `piece`
  // is from; null for a blank between lines, a line of plain text or a piece from elsewhere.
  const ItemFacts* ItemAtPosition(std::size_t position) const;
  const ItemFacts* ItemOfPiece(std::u16string_view piece) const;

  // The size of the joined text in units: each line followed by one blank.
  std::size_t TextSize() const { return textSize_; }
  // The link of the line that holds `position` of the joined text; empty for a blank between
  // lines, a position past the end or a line without one.
  std::string_view AtPosition(std::size_t position) const;
  // The link of the line that `piece` (a line, or a part of one such as a display line) is
  // from; empty when it has none or is not from these lines.
  std::string_view OfPiece(std::u16string_view piece) const;

 private:
  struct Range {
    std::size_t position;    // of the line in the joined text
    std::uintptr_t address;  // of the line's first unit
    std::size_t size;
    std::size_t linkedSize;  // from the line's start: the separator after a headline has none
    std::string_view link;
    const ItemFacts* item;
  };
  const Range* RangeAtPosition(std::size_t position) const;
  const Range* RangeOfPiece(std::u16string_view piece) const;
  std::vector<Range> ranges_;  // the lines with a link, in their order
  std::size_t textSize_ = 0;
};

// A press and release further apart than the system's drag rectangle (`dragWidth` by
// `dragHeight`, centred on the press) are a drag, never a click.
bool IsDrag(int pressX, int pressY, int releaseX, int releaseY, int dragWidth, int dragHeight);

}  // namespace core
