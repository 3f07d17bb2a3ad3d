#include "core/sources/SourceLines.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/text/TextDecoding.h"

namespace core {
namespace {

class LinesBuilder {
 public:
  explicit LinesBuilder(std::size_t maxUnits = std::u16string::npos) : maxUnits_(maxUnits) {}
  // False, adding nothing, when the line would take the text beyond its bound.
  bool Add(std::u16string_view prefix, std::u16string_view line, ItemFacts item) {
    if (prefix.size() + line.size() + 1 > maxUnits_ - std::min(maxUnits_, text_.size())) {
      return false;
    }
    text_.append(prefix).append(line) += u'\n';
    items_.push_back(std::move(item));
    return true;
  }
  TextLines Take(std::u16string_view separator = {}) {
    TextLines lines(std::move(text_));
    lines.SetItems(std::move(items_), separator);
    return lines;
  }

 private:
  std::size_t maxUnits_;
  std::u16string text_;
  std::vector<ItemFacts> items_;
};

// A line's item as the lines it is from know it; a plain line's address is the one written in
// it.
ItemFacts ItemOfLine(TextLines& lines, std::u16string_view line) {
  const ItemFacts* known = lines.ItemOf(line);
  ItemFacts item = known ? *known : ItemFacts{};
  item.link = std::string(lines.LinkOf(line));
  return item;
}

// A name stays on its line.
std::u16string Prefix(std::string_view name) {
  std::u16string prefix = Utf16OfUtf8(name);
  std::replace_if(
      prefix.begin(), prefix.end(), [](char16_t c) { return c < u' '; }, u' ');
  return prefix + u": ";
}

}  // namespace

TextLines SelectedLines(TextLines read, const TextOptions& options, std::size_t maxUnits,
                        bool* cut) {
  BuildText(read.Lines(), options);
  LinesBuilder kept(maxUnits);
  for (const std::u16string_view line : read.Lines()) {
    if (kept.Add({}, line, ItemOfLine(read, line))) continue;
    if (cut) *cut = true;
    break;
  }
  return kept.Take();
}

TextLines MergeSourceLines(std::span<const SourceGroup> groups, SourceNames names,
                           std::u16string_view separator, std::size_t maxUnits) {
  LinesBuilder merged(maxUnits);
  bool full = false;
  for (const SourceGroup& group : groups) {
    const std::u16string prefix =
        names == SourceNames::Shown ? Prefix(group.name) : std::u16string();
    bool first = true;
    for (const std::u16string_view line : group.lines->Lines()) {
      ItemFacts item = ItemOfLine(*group.lines, line);
      item.source = std::string(group.name);
      full = full || !merged.Add(first ? std::u16string_view(prefix) : std::u16string_view(), line,
                                 std::move(item));
      if (full) {
        if (group.cut) *group.cut = true;
        break;
      }
      first = false;
    }
  }
  return merged.Take(separator);
}

}  // namespace core
