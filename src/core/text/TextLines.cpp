#include "core/text/TextLines.h"

#include <algorithm>
#include <cstdint>

#include "core/web/WebAddress.h"

namespace core {

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  lines.reserve(ExpectedLineCount(bytes.size()));
  LineReader reader(bytes);
  for (std::string_view line; reader.Next(line);) lines.push_back(line);
  return lines;
}

TextLines TextLines::OneLine(std::string_view line) {
  TextLines result{std::string(line)};
  result.lines_.push_back(result.Bytes());
  result.split_ = true;
  return result;
}

std::vector<std::string_view>& TextLines::Lines() {
  if (!split_) {
    lines_ = SplitLines(Bytes());
    split_ = true;
  }
  return lines_;
}

bool TextLines::Empty() const {
  if (split_) return lines_.empty();
  const std::string_view bytes = Bytes();
  return bytes.empty() || bytes.front() == '\0';
}

void TextLines::Clear() {
  bytes_.reset();
  lines_ = {};
  split_ = true;
  feed_ = false;
  linkStarts_ = {};
  headlineEnds_ = {};
  linkEnds_ = {};
  links_ = {};
}

void TextLines::SetLinks(std::vector<std::string> links, std::string_view separator) {
  feed_ = true;
  const std::vector<std::string_view>& lines = Lines();
  const std::string_view bytes = Bytes();
  for (std::size_t i = 0; i < lines.size() && i < links.size(); ++i) {
    if (links[i].empty()) continue;
    const auto start = static_cast<std::size_t>(lines[i].data() - bytes.data());
    const bool separated = !separator.empty() && lines[i].ends_with(separator);
    linkStarts_.push_back(start);
    headlineEnds_.push_back(start + lines[i].size() - (separated ? separator.size() : 0));
    linkEnds_.push_back(start + lines[i].size());
    links_.push_back(std::move(links[i]));
  }
}

// Compared as addresses: a piece from other bytes belongs to no line here.
std::optional<std::size_t> TextLines::OffsetOf(std::string_view piece) const {
  const std::string_view bytes = Bytes();
  const auto first = reinterpret_cast<std::uintptr_t>(bytes.data());
  const auto at = reinterpret_cast<std::uintptr_t>(piece.data());
  if (bytes.empty() || at < first || at + piece.size() > first + bytes.size()) return std::nullopt;
  return at - first;
}

// The feed line with a link that starts at or before `offset`.
std::optional<std::size_t> TextLines::LinkIndexAt(std::size_t offset) const {
  const auto after = std::upper_bound(linkStarts_.begin(), linkStarts_.end(), offset);
  if (after == linkStarts_.begin()) return std::nullopt;
  return static_cast<std::size_t>(after - linkStarts_.begin()) - 1;
}

std::string_view TextLines::LinkOf(std::string_view piece) {
  const std::optional<std::size_t> offset = OffsetOf(piece);
  if (!offset) return {};
  if (feed_) {
    const std::optional<std::size_t> index = LinkIndexAt(*offset);
    if (!index) return {};
    const bool inHeadline = *offset < headlineEnds_[*index];
    return inHeadline && *offset + piece.size() <= linkEnds_[*index]
               ? std::string_view(links_[*index])
               : "";
  }
  const std::string_view bytes = Bytes();
  const std::vector<std::string_view>& lines = Lines();
  const auto after = std::upper_bound(
      lines.begin(), lines.end(), *offset, [&](std::size_t value, std::string_view line) {
        return value < static_cast<std::size_t>(line.data() - bytes.data());
      });
  if (after == lines.begin()) return {};
  const std::string_view line = *(after - 1);
  if (*offset + piece.size() > static_cast<std::size_t>(line.data() - bytes.data()) + line.size()) {
    return {};
  }
  return FirstWebAddress(line);
}

std::size_t TextLines::LinkedSize(std::string_view line) {
  if (!feed_) return line.size();
  const std::optional<std::size_t> offset = OffsetOf(line);
  const std::optional<std::size_t> index = offset ? LinkIndexAt(*offset) : std::nullopt;
  if (!index) return line.size();
  const std::size_t end = headlineEnds_[*index];
  return end > *offset ? std::min(line.size(), end - *offset) : 0;
}

}  // namespace core
