#pragma once
// Reading UTF-8 a character at a time, and skipping ASCII a word at a time. Inline: it runs once
// per byte of files of many MB.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace core::utf8 {

inline constexpr std::uint64_t kHighBits = 0x8080808080808080U;

inline bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The eight bytes at `at`, the first in the lowest bits on the machines this runs on.
inline std::uint64_t Word(const unsigned char* at) {
  std::uint64_t word = 0;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// The index of the first byte above 127, or the size when there is none.
inline std::size_t FirstHighByte(std::string_view bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t at = 0;
  while (at + 8 <= bytes.size() && (Word(data + at) & kHighBits) == 0) at += 8;
  while (at < bytes.size() && data[at] < 0x80) ++at;
  return at;
}

// The code point of the sequence at `at` (whose lead byte is above 127) and its length in
// `length`; length 0 when the sequence is malformed: overlong, a surrogate, beyond U+10FFFF or
// cut off by the end.
inline std::uint32_t Decode(const unsigned char* at, std::size_t left, std::size_t& length) {
  const unsigned char lead = at[0];
  std::uint32_t point = 0;
  std::uint32_t least = 0;  // the smallest code point this length may carry
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, point = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, point = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, point = lead & 0x07, least = 0x10000;
  } else {
    length = 0;
    return 0;
  }
  if (left < length) {
    length = 0;
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(at[i])) {
      length = 0;
      return 0;
    }
    point = (point << 6) | (at[i] & 0x3F);
  }
  if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) length = 0;
  return point;
}

}  // namespace core::utf8
