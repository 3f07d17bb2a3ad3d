#include "core/feed/LinkHitTest.h"

#include <algorithm>
#include <cstdlib>

namespace core {

namespace {

constexpr std::size_t kUnit = sizeof(char16_t);

}  // namespace

std::optional<std::size_t> LineAtTextPosition(std::span<const std::u16string_view> lines,
                                              std::size_t position) {
  std::size_t start = 0;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const std::size_t end = start + lines[index].size();
    if (position < end) return index;
    if (position == end) return std::nullopt;  // the blank that follows the line
    start = end + 1;
  }
  return std::nullopt;
}

ItemTable::ItemTable(std::span<const std::u16string_view> lines, const LinkOfLine& linkOf) {
  for (const std::u16string_view line : lines) {
    const LineLink link = linkOf(line);
    if (!link.link.empty() || link.item) {
      ranges_.push_back({textSize_, reinterpret_cast<std::uintptr_t>(line.data()), line.size(),
                         link.link.empty() ? 0 : std::min(link.size, line.size()), link.link,
                         link.item});
    }
    textSize_ += line.size() + 1;
  }
}

const ItemTable::Range* ItemTable::RangeAtPosition(std::size_t position) const {
  const auto after = std::upper_bound(
      ranges_.begin(), ranges_.end(), position,
      [](std::size_t value, const Range& range) { return value < range.position; });
  if (after == ranges_.begin()) return nullptr;
  const Range& range = *(after - 1);
  return position < range.position + range.size ? &range : nullptr;
}

// Compared as addresses: a piece from another text lies in no line here.
const ItemTable::Range* ItemTable::RangeOfPiece(std::u16string_view piece) const {
  const auto at = reinterpret_cast<std::uintptr_t>(piece.data());
  const auto after = std::upper_bound(
      ranges_.begin(), ranges_.end(), at,
      [](std::uintptr_t value, const Range& range) { return value < range.address; });
  if (after == ranges_.begin()) return nullptr;
  const Range& range = *(after - 1);
  const std::size_t into = (at - range.address) / kUnit;  // units from the line's start
  return into + piece.size() <= range.size ? &range : nullptr;
}

std::string_view ItemTable::AtPosition(std::size_t position) const {
  const Range* range = RangeAtPosition(position);
  return range && position < range->position + range->linkedSize ? range->link : "";
}

std::string_view ItemTable::OfPiece(std::u16string_view piece) const {
  const Range* range = RangeOfPiece(piece);
  if (!range) return {};
  const std::size_t into =
      (reinterpret_cast<std::uintptr_t>(piece.data()) - range->address) / kUnit;
  return into < range->linkedSize ? range->link : "";
}

const ItemFacts* ItemTable::ItemAtPosition(std::size_t position) const {
  const Range* range = RangeAtPosition(position);
  return range ? range->item : nullptr;
}

const ItemFacts* ItemTable::ItemOfPiece(std::u16string_view piece) const {
  const Range* range = RangeOfPiece(piece);
  return range ? range->item : nullptr;
}

bool IsDrag(int pressX, int pressY, int releaseX, int releaseY, int dragWidth, int dragHeight) {
  return std::abs(releaseX - pressX) > dragWidth / 2 ||
         std::abs(releaseY - pressY) > dragHeight / 2;
}

}  // namespace core
