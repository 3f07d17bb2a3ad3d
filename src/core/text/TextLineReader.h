#pragma once
// Reading text line by line. Inline, because it runs once per line of files of many MB.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace core {

namespace line_scan {

// CR, LF or NUL: where a line or the whole text ends.
inline bool IsBreakOrNul(char16_t c) {
  return c == u'\n' || c == u'\r' || c == u'\0';
}

// Four units to a word, a unit to each 16-bit lane.
inline constexpr std::uint64_t kOnes = 0x0001000100010001U;
inline constexpr std::uint64_t kHighBits = 0x8000800080008000U;
inline constexpr std::ptrdiff_t kUnitsPerWord = 4;

// Four units with the first in the lowest bits, whatever the machine's byte order.
inline std::uint64_t LoadWord(const char16_t* units) {
  std::uint64_t word = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&word, units, sizeof word);
  } else {
    for (int i = 3; i >= 0; --i) word = (word << 16) | units[i];
  }
  return word;
}

// Nonzero when some unit is below 14 (as CR, LF and NUL are); cheap, but only a hint.
inline std::uint64_t MayHoldBreak(std::uint64_t word) {
  return (word - kOnes * 14) & ~word & kHighBits;
}

// The high bit of exactly those units that are below 14.
inline std::uint64_t UnitsBelow14(std::uint64_t word) {
  const std::uint64_t low15PlusMargin = (word & ~kHighBits) + kOnes * (0x8000 - 14);
  return ~(low15PlusMargin | word) & kHighBits;
}

// The first break or NUL among the candidate units (high bits) of the word at `word`, or null.
inline const char16_t* FirstBreakIn(const char16_t* word, std::uint64_t candidates) {
  for (; candidates != 0; candidates &= candidates - 1) {
    const char16_t* pos = word + std::countr_zero(candidates) / 16;
    if (IsBreakOrNul(*pos)) return pos;
  }
  return nullptr;
}

// The first CR, LF or NUL in [from, end), or end.
// Eight units at a time: ordinary text has few units below 14, so units are looked at one by
// one only where a line ends.
inline const char16_t* FindBreak(const char16_t* from, const char16_t* end) {
  const char16_t* pos = from;
  for (; end - pos >= 2 * kUnitsPerWord; pos += 2 * kUnitsPerWord) {
    const std::uint64_t low = LoadWord(pos);
    const std::uint64_t high = LoadWord(pos + kUnitsPerWord);
    if ((MayHoldBreak(low) | MayHoldBreak(high)) == 0) continue;
    if (const char16_t* found = FirstBreakIn(pos, UnitsBelow14(low))) return found;
    if (const char16_t* found = FirstBreakIn(pos + kUnitsPerWord, UnitsBelow14(high))) {
      return found;
    }
  }
  while (pos < end && !IsBreakOrNul(*pos)) ++pos;
  return pos;
}

}  // namespace line_scan

// Breaks are CR LF, CR or LF; a break at the very end adds no empty line; a NUL ends the text.
class LineReader {
 public:
  explicit LineReader(std::u16string_view text)
      : pos_(text.data()), end_(text.data() + text.size()) {}

  // Puts the next line in `line`; false when there is none left.
  bool Next(std::u16string_view& line) {
    if (pos_ == end_) return false;
    const char16_t* lineEnd = line_scan::FindBreak(pos_, end_);
    const char16_t* begin = pos_;
    if (lineEnd == end_ || *lineEnd == u'\0') {
      pos_ = end_;
      if (lineEnd == begin) return false;  // the text began with a NUL
    } else {
      pos_ = lineEnd + 1;
      if (*lineEnd == u'\r' && pos_ != end_ && *pos_ == u'\n') ++pos_;
      // A NUL right after a break ends the text as the end of the text would.
      if (pos_ != end_ && *pos_ == u'\0') pos_ = end_;
    }
    line = std::u16string_view(begin, static_cast<std::size_t>(lineEnd - begin));
    return true;
  }

  // True once the line last read was the text's last.
  bool AtEnd() const { return pos_ == end_; }

 private:
  const char16_t* pos_;
  const char16_t* end_;
};

}  // namespace core
