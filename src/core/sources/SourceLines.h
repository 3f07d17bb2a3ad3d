#pragma once
// The lines of several sources as the bar's one text: each source's lines selected on their own,
// then put together in list order, each group behind its source's name.

#include <span>
#include <string_view>

#include "core/text/TextLines.h"
#include "core/text/TextPipeline.h"

namespace core {

// One source's lines as the pipeline selects them (comment filter, first or last LinesToLoad),
// copied out of the read so that only they are kept, each with its story's address.
TextLines SelectedLines(TextLines read, const TextOptions& options);

struct SourceGroup {
  std::string_view name;  // UTF-8, as the list has it
  TextLines* lines;       // as SelectedLines gave them
};

enum class SourceNames { Hidden, Shown };

// The groups' lines in order, each keeping its story's address. With names shown, a group's
// first line begins with its name and ": " (control characters in a name become blanks); a
// group without lines shows nothing, not even its name. A line that ends with `separator` is a
// headline followed by it, which opens no story.
TextLines MergeSourceLines(std::span<const SourceGroup> groups, SourceNames names,
                           std::u16string_view separator = {});

}  // namespace core
