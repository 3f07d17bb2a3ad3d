#include "core/text/TextLines.h"

#include <algorithm>
#include <cstdint>

#include "core/text/TextDecoding.h"
#include "core/web/WebAddress.h"

namespace core {

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  lines.reserve(ExpectedLineCount(text.size()));
  LineReader reader(text);
  for (std::u16string_view line; reader.Next(line);) lines.push_back(line);
  return lines;
}

TextLines TextLines::OneLine(std::u16string_view line) {
  TextLines result{std::u16string(line)};
  result.lines_.push_back(result.Text());
  result.split_ = true;
  return result;
}

std::vector<std::u16string_view>& TextLines::Lines() {
  if (!split_) {
    lines_ = SplitLines(Text());
    split_ = true;
  }
  return lines_;
}

bool TextLines::Empty() const {
  if (split_) return lines_.empty();
  const std::u16string_view text = Text();
  return text.empty() || text.front() == u'\0';
}

void TextLines::Clear() {
  text_.reset();
  lines_ = {};
  split_ = true;
  feed_ = false;
  itemStarts_ = {};
  headlineEnds_ = {};
  itemEnds_ = {};
  items_ = {};
  plainLinks_ = {};
}

void TextLines::SetItems(std::vector<ItemFacts> items, std::u16string_view separator) {
  feed_ = true;
  const std::vector<std::u16string_view>& lines = Lines();
  const std::u16string_view text = Text();
  for (std::size_t i = 0; i < lines.size() && i < items.size(); ++i) {
    if (items[i].Empty()) continue;
    const auto start = static_cast<std::size_t>(lines[i].data() - text.data());
    const bool separated = !separator.empty() && lines[i].ends_with(separator);
    itemStarts_.push_back(start);
    headlineEnds_.push_back(start + lines[i].size() - (separated ? separator.size() : 0));
    itemEnds_.push_back(start + lines[i].size());
    items_.push_back(std::move(items[i]));
  }
}

void TextLines::SetLinks(std::vector<std::string> links, std::u16string_view separator) {
  std::vector<ItemFacts> items(links.size());
  for (std::size_t i = 0; i < links.size(); ++i) items[i].link = std::move(links[i]);
  SetItems(std::move(items), separator);
}

const ItemFacts* TextLines::ItemOf(std::u16string_view piece) const {
  const std::optional<std::size_t> offset = OffsetOf(piece);
  const std::optional<std::size_t> index = offset ? ItemIndexAt(*offset) : std::nullopt;
  if (!index || *offset + piece.size() > itemEnds_[*index]) return nullptr;
  return &items_[*index];
}

// Compared as addresses: a piece from another text belongs to no line here.
std::optional<std::size_t> TextLines::OffsetOf(std::u16string_view piece) const {
  const std::u16string_view text = Text();
  const auto first = reinterpret_cast<std::uintptr_t>(text.data());
  const auto at = reinterpret_cast<std::uintptr_t>(piece.data());
  const std::size_t unit = sizeof(char16_t);
  if (text.empty() || at < first || at + piece.size() * unit > first + text.size() * unit) {
    return std::nullopt;
  }
  return (at - first) / unit;
}

// The feed line with an item that starts at or before `offset`.
std::optional<std::size_t> TextLines::ItemIndexAt(std::size_t offset) const {
  const auto after = std::upper_bound(itemStarts_.begin(), itemStarts_.end(), offset);
  if (after == itemStarts_.begin()) return std::nullopt;
  return static_cast<std::size_t>(after - itemStarts_.begin()) - 1;
}

std::string_view TextLines::LinkOf(std::u16string_view piece) {
  const std::optional<std::size_t> offset = OffsetOf(piece);
  if (!offset) return {};
  if (feed_) {
    const std::optional<std::size_t> index = ItemIndexAt(*offset);
    if (!index) return {};
    const bool inHeadline = *offset < headlineEnds_[*index];
    return inHeadline && *offset + piece.size() <= itemEnds_[*index]
               ? std::string_view(items_[*index].link)
               : "";
  }
  const std::u16string_view text = Text();
  const std::vector<std::u16string_view>& lines = Lines();
  const auto after = std::upper_bound(
      lines.begin(), lines.end(), *offset, [&](std::size_t value, std::u16string_view line) {
        return value < static_cast<std::size_t>(line.data() - text.data());
      });
  if (after == lines.begin()) return {};
  const std::u16string_view line = *(after - 1);
  const auto lineOffset = static_cast<std::size_t>(line.data() - text.data());
  if (*offset + piece.size() > lineOffset + line.size()) return {};
  return PlainLinkOf(lineOffset, line);
}

// Found in the shown line, turned into UTF-8 once.
std::string_view TextLines::PlainLinkOf(std::size_t lineOffset, std::u16string_view line) {
  const auto kept = plainLinks_.find(lineOffset);
  if (kept != plainLinks_.end()) return kept->second;
  const std::u16string_view address = FirstWebAddress(line);
  if (address.empty()) return {};
  return plainLinks_.emplace(lineOffset, Utf8OfUtf16(address)).first->second;
}

std::size_t TextLines::LinkedSize(std::u16string_view line) {
  if (!feed_) return line.size();
  const std::optional<std::size_t> offset = OffsetOf(line);
  const std::optional<std::size_t> index = offset ? ItemIndexAt(*offset) : std::nullopt;
  if (!index) return line.size();
  const std::size_t end = headlineEnds_[*index];
  return end > *offset ? std::min(line.size(), end - *offset) : 0;
}

}  // namespace core
