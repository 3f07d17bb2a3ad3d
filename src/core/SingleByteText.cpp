#include "core/SingleByteText.h"

#include <cstdint>
#include <cstring>

#include "core/Utf8.h"

namespace core {

Converted Utf8ToSingleByte(char* text, std::size_t from, std::size_t length,
                           const SingleByteTable& table) {
  auto* const bytes = reinterpret_cast<unsigned char*>(text);
  std::size_t read = from;
  std::size_t write = 0;
  bool lossy = false;
  while (read < length) {
    // Runs of ASCII a word at a time: they stay as they are.
    if (length - read >= 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes + read, sizeof word);
      if ((word & 0x8080808080808080U) == 0 &&
          ((word - 0x0101010101010101U) & ~word & 0x8080808080808080U) == 0) {
        std::memmove(bytes + write, bytes + read, 8);
        read += 8, write += 8;
        continue;
      }
    }
    const unsigned char c = bytes[read];
    if (c == 0) break;
    if (c < 0x80) {
      bytes[write++] = c;
      ++read;
      continue;
    }
    std::size_t sequence = 0;
    const std::uint32_t point = utf8::Decode(bytes + read, length - read, sequence);
    const unsigned char shown = sequence != 0 && point <= 0xFFFF ? table[point] : 0;
    bytes[write++] = shown != 0 ? shown : '?';
    lossy = lossy || shown == 0;
    read += sequence != 0 ? sequence : 1;
  }
  return {write, lossy};
}

Converted Utf16ToSingleByte(char* text, std::size_t from, std::size_t length, bool bigEndian,
                            const SingleByteTable& table) {
  auto* const bytes = reinterpret_cast<unsigned char*>(text);
  const std::size_t units = (length - from) / 2;
  std::size_t write = 0;
  bool lossy = false;
  for (std::size_t unit = 0; unit < units; ++unit) {
    const unsigned char* pair = bytes + from + unit * 2;
    const std::uint32_t value = bigEndian ? (pair[0] << 8) | pair[1] : (pair[1] << 8) | pair[0];
    if (value == 0) break;
    const bool highSurrogate = value >= 0xD800 && value <= 0xDBFF;
    if (highSurrogate && unit + 1 < units) {
      const unsigned char* next = pair + 2;
      const std::uint32_t low = bigEndian ? (next[0] << 8) | next[1] : (next[1] << 8) | next[0];
      if (low >= 0xDC00 && low <= 0xDFFF) ++unit;  // one character beyond the plane: one "?"
    }
    const unsigned char shown = value >= 0xD800 && value <= 0xDFFF ? 0 : table[value];
    bytes[write++] = shown != 0 ? shown : '?';
    lossy = lossy || shown == 0;
  }
  return {write, lossy};
}

}  // namespace core
