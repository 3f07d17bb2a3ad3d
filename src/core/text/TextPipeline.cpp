#include "core/text/TextPipeline.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace core {
namespace {

bool IsBlankOrControl(char16_t c) {
  return c <= 32;
}

std::u16string_view TrimLeft(std::u16string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlankOrControl);
  return text.substr(static_cast<std::size_t>(first - text.begin()));
}

std::u16string_view Trim(std::u16string_view text) {
  text = TrimLeft(text);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlankOrControl);
  return text.substr(0, static_cast<std::size_t>(text.rend() - last));
}

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

// What the options ask for, worked out once.
struct Selection {
  std::u16string_view comment;  // empty: no filter
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

// Most lines begin with a visible unit other than the comment's first: decided on that alone.
bool MayBeComment(std::u16string_view line, std::u16string_view comment) {
  return !comment.empty() && !line.empty() &&
         (IsBlankOrControl(line.front()) || line.front() == comment.front());
}

// The rest of the test, for lines that passed MayBeComment.
bool StartsWithComment(std::u16string_view line, std::u16string_view comment) {
  std::size_t i = 0;
  while (i < line.size() && IsBlankOrControl(line[i])) ++i;
  if (line.size() - i < comment.size()) return false;
  for (const char16_t c : comment) {
    if (line[i++] != c) return false;
  }
  return true;
}

bool IsComment(std::u16string_view line, std::u16string_view comment) {
  return MayBeComment(line, comment) && StartsWithComment(line, comment);
}

// Filter, first lines and join in one walk, so each line's units are fetched once.
// `next(line, isLast)` yields the lines in order, from the first of the last lines if asked.
template <class NextLine>
std::u16string Build(NextLine next, std::vector<std::u16string_view>& kept, std::size_t sizeBound,
                     const Selection& selection) {
  std::u16string text;
  text.reserve(sizeBound);
  std::size_t count = 0;
  std::u16string_view line;
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
    text.push_back(u' ');
  }
  kept.resize(count);
  // A short selection from a long file should not hold on to the file's size.
  if (text.capacity() / 2 > text.size()) text.shrink_to_fit();
  return text;
}

// Where the last `count` shown lines begin, walking back from the end (the last line is always
// shown), so that a few last lines of a long file cost a few lines.
std::size_t StartOfLastLines(const std::vector<std::u16string_view>& lines,
                             std::u16string_view comment, std::size_t count) {
  if (count >= lines.size()) return 0;
  if (count == 0) return lines.size();
  std::size_t index = lines.size() - 1;
  for (std::size_t shown = 1; shown < count && index > 0;) {
    --index;
    if (!IsComment(lines[index], comment)) ++shown;
  }
  return index;
}

// The last break or NUL among the candidate units (high bits) of the word at `word`, or null.
const char16_t* LastBreakIn(const char16_t* word, std::uint64_t candidates) {
  while (candidates != 0) {
    const int bit = 63 - std::countl_zero(candidates);
    const char16_t* pos = word + bit / 16;
    if (line_scan::IsBreakOrNul(*pos)) return pos;
    candidates &= ~(std::uint64_t{1} << bit);
  }
  return nullptr;
}

// The last CR, LF or NUL in [from, end), or null. Eight units at a time from the end, as
// LineReader does from the start.
const char16_t* FindLastBreak(const char16_t* from, const char16_t* end) {
  constexpr std::ptrdiff_t kWord = line_scan::kUnitsPerWord;
  const char16_t* pos = end;
  for (; pos - from >= 2 * kWord; pos -= 2 * kWord) {
    const std::uint64_t low = line_scan::LoadWord(pos - 2 * kWord);
    const std::uint64_t high = line_scan::LoadWord(pos - kWord);
    if ((line_scan::MayHoldBreak(low) | line_scan::MayHoldBreak(high)) == 0) continue;
    if (const char16_t* found = LastBreakIn(pos - kWord, line_scan::UnitsBelow14(high))) {
      return found;
    }
    if (const char16_t* found = LastBreakIn(pos - 2 * kWord, line_scan::UnitsBelow14(low))) {
      return found;
    }
  }
  while (pos > from) {
    if (line_scan::IsBreakOrNul(*--pos)) return pos;
  }
  return nullptr;
}

// Whether [from, end) holds a NUL unit; sixteen units at a time, as memchr would for bytes.
bool HoldsNul(const char16_t* from, const char16_t* end) {
  constexpr std::ptrdiff_t kStep = 4 * line_scan::kUnitsPerWord;
  const char16_t* pos = from;
  for (; end - pos >= kStep; pos += kStep) {
    std::uint64_t zero = 0;
    for (std::ptrdiff_t word = 0; word < kStep; word += line_scan::kUnitsPerWord) {
      const std::uint64_t units = line_scan::LoadWord(pos + word);
      zero |= (units - line_scan::kOnes) & ~units & line_scan::kHighBits;
    }
    if (zero != 0) break;
  }
  return std::find(pos, end, u'\0') != end;
}

// Where in `text` the last `count` shown lines begin, found walking back from the end within
// about an eighth of the text; nullopt when they begin further back or a NUL is met, which a
// walk from the start settles.
std::optional<std::size_t> StartOfLastLines(std::u16string_view text, std::u16string_view comment,
                                            std::size_t count) {
  if (count == 0) return text.size();
  const char16_t* const begin = text.data();
  const char16_t* end = begin + text.size();
  // A break at the very end adds no line.
  if (end != begin && end[-1] == '\n') {
    --end;
    if (end != begin && end[-1] == '\r') --end;
  } else if (end != begin && end[-1] == '\r') {
    --end;
  }
  const std::size_t budget = text.size() / 8 + 4096;
  const char16_t* const floor =
      static_cast<std::size_t>(end - begin) > budget ? end - budget : begin;
  const char16_t* lineEnd = end;
  bool isLast = true;
  for (std::size_t shown = 0;;) {
    const char16_t* const found = lineEnd > floor ? FindLastBreak(floor, lineEnd) : nullptr;
    if (found == nullptr) {
      if (floor != begin) return std::nullopt;
      return 0;
    }
    if (*found == '\0') return std::nullopt;
    const std::u16string_view line(found + 1, static_cast<std::size_t>(lineEnd - found - 1));
    if ((isLast || !IsComment(line, comment)) && ++shown == count) {
      const std::size_t at = static_cast<std::size_t>(found + 1 - begin);
      // Only the text before a NUL counts.
      if (HoldsNul(begin, begin + at)) return std::nullopt;
      return at;
    }
    isLast = false;
    lineEnd = found;
    if (*found == '\n' && found != begin && found[-1] == '\r') --lineEnd;
  }
}

// Drops all but the last `count` of the shown lines in `kept` from them and from their `text`.
void KeepLastLines(std::u16string& text, std::vector<std::u16string_view>& kept,
                   std::size_t count) {
  if (kept.size() <= count) return;
  const std::size_t dropped = kept.size() - count;
  std::size_t units = 0;
  for (std::size_t i = 0; i < dropped; ++i) units += kept[i].size() + 1;
  text.erase(0, units);
  kept.erase(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(dropped));
  if (text.capacity() / 2 > text.size()) text.shrink_to_fit();
}

}  // namespace

std::u16string BuildText(std::vector<std::u16string_view>& lines, const TextOptions& options) {
  const Selection selection = SelectionOf(options);
  std::size_t index = StartOfLastLines(lines, selection.comment, selection.last);
  std::size_t sizeBound = 0;
  for (std::size_t i = index; i < lines.size(); ++i) sizeBound += lines[i].size() + 1;
  const auto next = [&lines, &index](std::u16string_view& line, bool& isLast) {
    if (index == lines.size()) return false;
    line = lines[index++];
    isLast = index == lines.size();
    return true;
  };
  return Build(next, lines, sizeBound, selection);
}

std::u16string BuildText(TextLines& lines, const TextOptions& options) {
  const Selection selection = SelectionOf(options);
  if (lines.split_) return BuildText(lines.Lines(), options);

  // The usual few last lines of a long file are found walking back from its end, so they cost
  // a few lines; when they reach far back, one walk over all of it and dropping the front is
  // cheaper than splitting first.
  const std::u16string_view whole = lines.Text();
  const bool lastLines = selection.last != kAll;
  std::optional<std::size_t> start;
  if (lastLines) start = StartOfLastLines(whole, selection.comment, selection.last);
  const std::u16string_view walked = whole.substr(start.value_or(0));
  LineReader reader(walked);
  const auto next = [&reader](std::u16string_view& line, bool& isLast) {
    if (!reader.Next(line)) return false;
    isLast = reader.AtEnd();
    return true;
  };
  lines.lines_.clear();
  lines.lines_.reserve(ExpectedLineCount(walked.size()));
  // Each line gains one blank and loses at least one break unit, except a last line without one.
  std::u16string text = Build(next, lines.lines_, walked.size() + 1, selection);
  if (lastLines && !start) KeepLastLines(text, lines.lines_, selection.last);
  lines.split_ = true;
  return text;
}

}  // namespace core
