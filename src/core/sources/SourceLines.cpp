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
  void Add(std::u16string_view prefix, std::u16string_view line, ItemFacts item) {
    text_.append(prefix).append(line) += u'\n';
    items_.push_back(std::move(item));
  }
  TextLines Take(std::u16string_view separator = {}) {
    TextLines lines(std::move(text_));
    lines.SetItems(std::move(items_), separator);
    return lines;
  }

 private:
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

TextLines SelectedLines(TextLines read, const TextOptions& options) {
  BuildText(read.Lines(), options);
  LinesBuilder kept;
  for (const std::u16string_view line : read.Lines()) kept.Add({}, line, ItemOfLine(read, line));
  return kept.Take();
}

TextLines MergeSourceLines(std::span<const SourceGroup> groups, SourceNames names,
                           std::u16string_view separator) {
  LinesBuilder merged;
  for (const SourceGroup& group : groups) {
    const std::u16string prefix =
        names == SourceNames::Shown ? Prefix(group.name) : std::u16string();
    bool first = true;
    for (const std::u16string_view line : group.lines->Lines()) {
      ItemFacts item = ItemOfLine(*group.lines, line);
      item.source = std::string(group.name);
      merged.Add(first ? std::u16string_view(prefix) : std::u16string_view(), line,
                 std::move(item));
      first = false;
    }
  }
  return merged.Take(separator);
}

}  // namespace core
