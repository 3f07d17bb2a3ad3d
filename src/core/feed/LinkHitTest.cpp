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

LinkTable::LinkTable(std::span<const std::u16string_view> lines, const LinkOfLine& linkOf) {
  for (const std::u16string_view line : lines) {
    const LineLink link = linkOf(line);
    if (!link.link.empty()) {
      ranges_.push_back({textSize_, reinterpret_cast<std::uintptr_t>(line.data()), line.size(),
                         std::min(link.size, line.size()), link.link});
    }
    textSize_ += line.size() + 1;
  }
}

std::string_view LinkTable::AtPosition(std::size_t position) const {
  const auto after = std::upper_bound(
      ranges_.begin(), ranges_.end(), position,
      [](std::size_t value, const Range& range) { return value < range.position; });
  if (after == ranges_.begin()) return {};
  const Range& range = *(after - 1);
  return position < range.position + range.linkedSize ? range.link : "";
}

std::string_view LinkTable::OfPiece(std::u16string_view piece) const {
  // Compared as addresses: a piece from another text lies in no line here.
  const auto at = reinterpret_cast<std::uintptr_t>(piece.data());
  const auto after = std::upper_bound(
      ranges_.begin(), ranges_.end(), at,
      [](std::uintptr_t value, const Range& range) { return value < range.address; });
  if (after == ranges_.begin()) return {};
  const Range& range = *(after - 1);
  const std::size_t into = (at - range.address) / kUnit;  // units from the line's start
  return into < range.linkedSize && into + piece.size() <= range.size ? range.link : "";
}

bool IsDrag(int pressX, int pressY, int releaseX, int releaseY, int dragWidth, int dragHeight) {
  return std::abs(releaseX - pressX) > dragWidth / 2 ||
         std::abs(releaseY - pressY) > dragHeight / 2;
}

}  // namespace core
