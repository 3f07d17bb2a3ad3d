#include "core/sources/SourceLines.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace core {
namespace {

class LinesBuilder {
 public:
  void Add(std::string_view prefix, std::string_view line, std::string link) {
    bytes_.append(prefix).append(line) += '\n';
    links_.push_back(std::move(link));
  }
  TextLines Take(std::string_view separator = {}) {
    TextLines lines(std::move(bytes_));
    lines.SetLinks(std::move(links_), separator);
    return lines;
  }

 private:
  std::string bytes_;
  std::vector<std::string> links_;
};

// A name stays on its line.
std::string Prefix(std::string_view name) {
  std::string prefix(name);
  std::replace_if(
      prefix.begin(), prefix.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; },
      ' ');
  return prefix + ": ";
}

}  // namespace

TextLines SelectedLines(TextLines read, const TextOptions& options) {
  BuildText(read.Lines(), options);
  LinesBuilder kept;
  for (const std::string_view line : read.Lines())
    kept.Add({}, line, std::string(read.LinkOf(line)));
  return kept.Take();
}

TextLines MergeSourceLines(std::span<const SourceGroup> groups, SourceNames names,
                           std::string_view separator) {
  LinesBuilder merged;
  for (const SourceGroup& group : groups) {
    const std::string prefix = names == SourceNames::Shown ? Prefix(group.name) : std::string();
    bool first = true;
    for (const std::string_view line : group.lines->Lines()) {
      merged.Add(first ? std::string_view(prefix) : std::string_view(), line,
                 std::string(group.lines->LinkOf(line)));
      first = false;
    }
  }
  return merged.Take(separator);
}

}  // namespace core
