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
  void Add(std::u16string_view prefix, std::u16string_view line, std::string link) {
    text_.append(prefix).append(line) += u'\n';
    links_.push_back(std::move(link));
  }
  TextLines Take(std::u16string_view separator = {}) {
    TextLines lines(std::move(text_));
    lines.SetLinks(std::move(links_), separator);
    return lines;
  }

 private:
  std::u16string text_;
  std::vector<std::string> links_;
};

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
  for (const std::u16string_view line : read.Lines())
    kept.Add({}, line, std::string(read.LinkOf(line)));
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
      merged.Add(first ? std::u16string_view(prefix) : std::u16string_view(), line,
                 std::string(group.lines->LinkOf(line)));
      first = false;
    }
  }
  return merged.Take(separator);
}

}  // namespace core
