#include "core/TextPipeline.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace core {
namespace {

// Bytes above 127 are text in the user's code page, never blanks, hence unsigned.
bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

std::string_view TrimLeft(std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlankOrControl);
  return text.substr(static_cast<std::size_t>(first - text.begin()));
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlankOrControl);
  return text.substr(0, static_cast<std::size_t>(text.rend() - last));
}

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

// What the options ask for, worked out once.
struct Selection {
  std::string_view comment;  // empty: no filter
  std::size_t first = kAll;
  std::size_t last = kAll;
};

Selection SelectionOf(const TextOptions& options) {
  Selection selection;
  if (options.useComment) selection.comment = Trim(options.commentStr);
  const std::size_t count =
      options.linesToLoad < 1 ? 0 : static_cast<std::size_t>(options.linesToLoad);
  if (options.loadFirstLines) {
    selection.first = count;
  } else if (options.loadLastLines) {
    selection.last = count;
  }
  return selection;
}

// Most lines begin with a visible byte other than the comment's first: decided on that alone.
bool MayBeComment(std::string_view line, std::string_view comment) {
  return !comment.empty() && !line.empty() &&
         (IsBlankOrControl(line.front()) || line.front() == comment.front());
}

// The rest of the test, for lines that passed MayBeComment.
bool StartsWithComment(std::string_view line, std::string_view comment) {
  std::size_t i = 0;
  while (i < line.size() && IsBlankOrControl(line[i])) ++i;
  if (line.size() - i < comment.size()) return false;
  for (const char c : comment) {
    if (line[i++] != c) return false;
  }
  return true;
}

bool IsComment(std::string_view line, std::string_view comment) {
  return MayBeComment(line, comment) && StartsWithComment(line, comment);
}

// Filter, first lines and join in one walk, so each line's bytes are fetched once.
// `next(line, isLast)` yields the lines in order, from the first of the last lines if asked.
template <class NextLine>
std::string Build(NextLine next, std::vector<std::string_view>& kept, std::size_t sizeBound,
                  const Selection& selection) {
  std::string text;
  text.reserve(sizeBound);
  std::size_t count = 0;
  std::string_view line;
  bool isLast = false;
  while (count < selection.first && next(line, isLast)) {
    if (!isLast && MayBeComment(line, selection.comment) &&
        StartsWithComment(line, selection.comment)) {
      continue;
    }
    // In place over lines already read, or appended when the lines come from the bytes.
    if (count < kept.size()) {
      kept[count] = line;
    } else {
      kept.push_back(line);
    }
    ++count;
    text.append(line);
    text.push_back(' ');
  }
  kept.resize(count);
  // A short selection from a long file should not hold on to the file's size.
  if (text.capacity() / 2 > text.size()) text.shrink_to_fit();
  return text;
}

// Where the last `count` shown lines begin, walking back from the end (the last line is always
// shown), so that a few last lines of a long file cost a few lines.
std::size_t StartOfLastLines(const std::vector<std::string_view>& lines, std::string_view comment,
                             std::size_t count) {
  if (count >= lines.size()) return 0;
  if (count == 0) return lines.size();
  std::size_t index = lines.size() - 1;
  for (std::size_t shown = 1; shown < count && index > 0;) {
    --index;
    if (!IsComment(lines[index], comment)) ++shown;
  }
  return index;
}

}  // namespace

std::string BuildText(std::vector<std::string_view>& lines, const TextOptions& options) {
  const Selection selection = SelectionOf(options);
  std::size_t index = StartOfLastLines(lines, selection.comment, selection.last);
  std::size_t sizeBound = 0;
  for (std::size_t i = index; i < lines.size(); ++i) sizeBound += lines[i].size() + 1;
  const auto next = [&lines, &index](std::string_view& line, bool& isLast) {
    if (index == lines.size()) return false;
    line = lines[index++];
    isLast = index == lines.size();
    return true;
  };
  return Build(next, lines, sizeBound, selection);
}

std::string BuildText(TextLines& lines, const TextOptions& options) {
  // The last lines are found walking back over the split lines, which for the usual few last
  // lines of a long file is much less work than copying all of it.
  const Selection selection = SelectionOf(options);
  if (lines.split_ || selection.last != kAll) return BuildText(lines.Lines(), options);

  const std::string_view bytes = lines.Bytes();
  LineReader reader(bytes);
  const auto next = [&reader](std::string_view& line, bool& isLast) {
    if (!reader.Next(line)) return false;
    isLast = reader.AtEnd();
    return true;
  };
  lines.lines_.clear();
  lines.lines_.reserve(ExpectedLineCount(bytes.size()));
  // Each line gains one blank and loses at least one break byte, except a last line without one.
  std::string text = Build(next, lines.lines_, bytes.size() + 1, selection);
  lines.split_ = true;
  return text;
}

}  // namespace core
