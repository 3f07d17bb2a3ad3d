#include "core/feed/LinkHitTest.h"

#include <cstdlib>

namespace core {

std::optional<std::size_t> LineAtTextPosition(std::span<const std::string_view> lines,
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

std::optional<std::string_view> CharacterAtTextPosition(std::span<const std::string_view> lines,
                                                        std::size_t position) {
  std::size_t start = 0;
  for (const std::string_view line : lines) {
    if (position < start + line.size()) return line.substr(position - start, 1);
    if (position == start + line.size()) return std::nullopt;
    start += line.size() + 1;
  }
  return std::nullopt;
}

bool IsDrag(int pressX, int pressY, int releaseX, int releaseY, int dragWidth, int dragHeight) {
  return std::abs(releaseX - pressX) > dragWidth / 2 ||
         std::abs(releaseY - pressY) > dragHeight / 2;
}

}  // namespace core
