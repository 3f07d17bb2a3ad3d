#pragma once
// Reading 8-bit text line by line. Inline, because it runs once per line of files of many MB.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace core {

namespace line_scan {

// CR, LF or NUL: where a line or the whole text ends.
inline bool IsBreakOrNul(char c) {
  return c == '\n' || c == '\r' || c == '\0';
}

inline constexpr std::uint64_t kOnes = 0x0101010101010101U;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080U;

// Eight bytes with the first in the lowest bits, whatever the machine's byte order.
inline std::uint64_t LoadWord(const char* bytes) {
  std::uint64_t word = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&word, bytes, sizeof word);
  } else {
    for (int i = 7; i >= 0; --i) word = (word << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return word;
}

// Nonzero when some byte is below 14 (as CR, LF and NUL are); cheap, but only a hint.
inline std::uint64_t MayHoldBreak(std::uint64_t word) {
  return (word - kOnes * 14) & ~word & kHighBits;
}

// The high bit of exactly those bytes that are below 14.
inline std::uint64_t BytesBelow14(std::uint64_t word) {
  const std::uint64_t low7PlusMargin = (word & ~kHighBits) + kOnes * (0x80 - 14);
  return ~(low7PlusMargin | word) & kHighBits;
}

// The first break or NUL among the candidate bytes (high bits) of the word at `word`, or null.
inline const char* FirstBreakIn(const char* word, std::uint64_t candidates) {
  for (; candidates != 0; candidates &= candidates - 1) {
    const char* pos = word + std::countr_zero(candidates) / 8;
    if (IsBreakOrNul(*pos)) return pos;
  }
  return nullptr;
}

// The first CR, LF or NUL in [from, end), or end.
// Sixteen bytes at a time: ordinary text has few bytes below 14, so bytes are looked at one by
// one only where a line ends.
inline const char* FindBreak(const char* from, const char* end) {
  const char* pos = from;
  for (; end - pos >= 16; pos += 16) {
    const std::uint64_t low = LoadWord(pos);
    const std::uint64_t high = LoadWord(pos + 8);
    if ((MayHoldBreak(low) | MayHoldBreak(high)) == 0) continue;
    if (const char* found = FirstBreakIn(pos, BytesBelow14(low))) return found;
    if (const char* found = FirstBreakIn(pos + 8, BytesBelow14(high))) return found;
  }
  while (pos < end && !IsBreakOrNul(*pos)) ++pos;
  return pos;
}

}  // namespace line_scan

// Breaks are CR LF, CR or LF; a break at the very end adds no empty line; a NUL ends the text.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes)
      : pos_(bytes.data()), end_(bytes.data() + bytes.size()) {}

  // Puts the next line in `line`; false when there is none left.
  bool Next(std::string_view& line) {
    if (pos_ == end_) return false;
    const char* lineEnd = line_scan::FindBreak(pos_, end_);
    const char* begin = pos_;
    if (lineEnd == end_ || *lineEnd == '\0') {
      pos_ = end_;
      if (lineEnd == begin) return false;  // the text began with a NUL
    } else {
      pos_ = lineEnd + 1;
      if (*lineEnd == '\r' && pos_ != end_ && *pos_ == '\n') ++pos_;
      // A NUL right after a break ends the text as the end of the bytes would.
      if (pos_ != end_ && *pos_ == '\0') pos_ = end_;
    }
    line = std::string_view(begin, static_cast<std::size_t>(lineEnd - begin));
    return true;
  }

  // True once the line last read was the text's last.
  bool AtEnd() const { return pos_ == end_; }

 private:
  const char* pos_;
  const char* end_;
};

}  // namespace core
