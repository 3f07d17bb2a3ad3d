#pragma once
// Text subsystem: bytes of a source decoded to lines, the comment filter and line selection,
// change detection, and the word wrap of the vertical mode.
//
// `LoadFile`'s text. Comment lines go first: every line but the last that, left-trimmed of units
// up to 32, begins with the likewise trimmed CommentStr (exact units); a CommentStr of blanks only
// drops nothing. Then the first or last LinesToLoad lines are kept (none below 1), and the rest
// is joined, each line followed by one blank. The lines are filtered in place, so what remains
// can fill the display lines as well.

#include "core/text/TextLines.h"

#include <string>
#include <string_view>
#include <vector>

namespace core {

// The ticker values the text depends on, by their stored names.
struct TextOptions {
  bool useComment = false;      // UseComment
  std::u16string commentStr;    // CommentStr as stored, decoded; trimmed when used
  bool loadFirstLines = false;  // LoadFirstLines, wins over LoadLastLines
  bool loadLastLines = false;   // LoadLastLines
  int linesToLoad = 3;          // LinesToLoad
};

// Leaves in `lines` only those shown and returns them joined; no lines give "".
std::u16string BuildText(std::vector<std::u16string_view>& lines, const TextOptions& options);

// The same for `FileLines`, splitting a text not split yet in the same walk.
std::u16string BuildText(TextLines& lines, const TextOptions& options);

}  // namespace core
