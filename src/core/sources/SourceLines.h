#pragma once
// The lines of several sources as the bar's one text: each source's lines selected on their own,
// then put together in list order, each group behind its source's name.

#include <span>
#include <string>
#include <string_view>

#include "core/text/TextLines.h"
#include "core/text/TextPipeline.h"

namespace core {

// The text a list's source keeps, and the bar's text of all of them, in UTF-16 units: 1 MB and
// 16 MB.
inline constexpr std::size_t kMaxSourceTextUnits = std::size_t{1} << 19;
inline constexpr std::size_t kMaxListTextUnits = std::size_t{1} << 23;

// One source's lines as the pipeline selects them (comment filter, first or last LinesToLoad),
// copied out of the read so that only they are kept, each with its story's address. Whole
// lines up to `maxUnits` of text (line ends counted); `cut` is set when any were left out.
TextLines SelectedLines(TextLines read, const TextOptions& options,
                        std::size_t maxUnits = std::u16string::npos, bool* cut = nullptr);

struct SourceGroup {
  std::string_view name;  // UTF-8, as the list has it
  TextLines* lines;       // as SelectedLines gave them
  bool* cut = nullptr;    // set when lines of the group were left out for the size
};

enum class SourceNames { Hidden, Shown };

// The groups' lines in order, each keeping its story's address. With names shown, a group's
// first line begins with its name and ": " (control characters in a name become blanks); a
// group without lines shows nothing, not even its name. A line that ends with `separator` is a
// headline followed by it, which opens no story.
// Lines that would take the text beyond `maxUnits` are left out, and so is every later group.
TextLines MergeSourceLines(std::span<const SourceGroup> groups, SourceNames names,
                           std::u16string_view separator = {},
                           std::size_t maxUnits = std::u16string::npos);

}  // namespace core
