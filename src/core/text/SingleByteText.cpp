#include "core/text/SingleByteText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/text/TextEncoding.h"
#include "core/text/Utf8.h"

namespace core {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101U;

// Eight bytes, none above 127 and none a NUL: they stay as they are.
bool IsPlainAsciiWord(const unsigned char* at) {
  const std::uint64_t word = utf8::Word(at);
  return (word & utf8::kHighBits) == 0 && ((word - kOnes) & ~word & utf8::kHighBits) == 0;
}

// The high bit set in each byte above 127 and in each NUL; exact up to the first of them, which
// is all that is read of it.
std::uint64_t Stops(std::uint64_t word) {
  return (word | ((word - kOnes) & ~word)) & utf8::kHighBits;
}

// The converted text turned back into UTF-8, for the rare text found invalid after it: a
// code-page byte above 127 is turned back into the one character recorded for it, and only that
// character counts as reversible.
class WayBack {
 public:
  explicit WayBack(const SingleByteTable& table) {
    for (std::size_t point = 0x80; point < table.size(); ++point) {
      if (table[point] >= 0x80) characters_[table[point]] = static_cast<std::uint16_t>(point);
    }
  }

  // Whether the byte shown for a character (0 when none) tells the character again.
  bool Reversible(std::uint32_t point, unsigned char shown) const {
    return characters_[shown] == point;
  }

  // bytes[start, write) was converted from bytes[start, read) with every character reversible;
  // written back from the end, where the UTF-8 is never shorter than what it became.
  void Restore(unsigned char* bytes, std::size_t start, std::size_t write, std::size_t read) const {
    while (write > start) {
      const unsigned char shown = bytes[--write];
      const std::uint32_t point = shown < 0x80 ? shown : characters_[shown];
      if (point < 0x80) {
        bytes[--read] = shown;
      } else if (point < 0x800) {
        bytes[--read] = static_cast<unsigned char>(0x80 | (point & 0x3F));
        bytes[--read] = static_cast<unsigned char>(0xC0 | (point >> 6));
      } else {
        bytes[--read] = static_cast<unsigned char>(0x80 | (point & 0x3F));
        bytes[--read] = static_cast<unsigned char>(0x80 | ((point >> 6) & 0x3F));
        bytes[--read] = static_cast<unsigned char>(0xE0 | (point >> 12));
      }
    }
  }

 private:
  std::array<std::uint16_t, 256> characters_{};
};

}  // namespace

Converted Utf8ToSingleByte(char* text, std::size_t from, std::size_t length,
                           const SingleByteTable& table) {
  auto* const bytes = reinterpret_cast<unsigned char*>(text);
  std::size_t read = from;
  std::size_t write = 0;
  bool lossy = false;
  while (read < length) {
    // Runs of ASCII a word at a time: they stay as they are.
    if (length - read >= 8 && IsPlainAsciiWord(bytes + read)) {
      std::memmove(bytes + write, bytes + read, 8);
      read += 8, write += 8;
      continue;
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

bool MayBeUtf8(std::string_view text) {
  const std::size_t high = utf8::FirstHighByte(text);
  if (high == text.size()) return false;
  std::size_t sequence = 0;
  utf8::Decode(reinterpret_cast<const unsigned char*>(text.data()) + high, text.size() - high,
               sequence);
  return sequence != 0;
}

std::optional<bool> Utf8ToSingleByteIfValid(std::string& text, const SingleByteTable& table) {
  auto* const bytes = reinterpret_cast<unsigned char*>(text.data());
  const std::size_t length = text.size();
  // The ASCII start stays where it is; the rest is converted in place. Until a character that
  // cannot be turned back is written, an invalid sequence is met by turning the converted part
  // back into the bytes it was; from that character on, the rest has been validated first.
  const std::size_t start = utf8::FirstHighByte(text);
  std::size_t end = length;
  if (const void* nul = std::memchr(bytes, 0, start)) {
    end = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - bytes);
  }
  const WayBack back(table);
  std::size_t read = start;
  std::size_t write = start;
  bool validated = false;
  bool lossy = false;
  while (read < end) {
    if (end - read >= 8) {
      // A word copied at once, of which the bytes before the first high byte or NUL count;
      // copied whole only where it cannot reach the bytes not yet read.
      const std::uint64_t word = utf8::Word(bytes + read);
      const std::uint64_t stops = Stops(word);
      if (stops == 0) {
        std::memcpy(bytes + write, &word, sizeof word);
        read += 8, write += 8;
        continue;
      }
      const auto plain = static_cast<std::size_t>(std::countr_zero(stops) / 8);
      if (read - write >= 8) {
        std::memcpy(bytes + write, &word, sizeof word);
      } else {
        std::memmove(bytes + write, bytes + read, plain);
      }
      read += plain, write += plain;
    }
    const unsigned char c = bytes[read];
    if (c == 0) {
      end = read;
      break;
    }
    if (c < 0x80) {
      bytes[write++] = c;
      ++read;
      continue;
    }
    std::size_t sequence = 2;
    std::uint32_t point = 0;
    // Two bytes, as most accented letters are, without the general decoder's checks.
    if (c >= 0xC2 && c <= 0xDF && read + 1 < length && utf8::IsContinuation(bytes[read + 1])) {
      point = ((c & 0x1FU) << 6) | (bytes[read + 1] & 0x3FU);
    } else {
      point = utf8::Decode(bytes + read, length - read, sequence);
      if (sequence == 0) {
        back.Restore(bytes, start, write, read);
        return std::nullopt;
      }
    }
    const unsigned char shown = point <= 0xFFFF ? table[point] : 0;
    if (!validated && !back.Reversible(point, shown)) {
      if (!IsValidUtf8(text.substr(read))) {
        back.Restore(bytes, start, write, read);
        return std::nullopt;
      }
      validated = true;
    }
    bytes[write++] = shown != 0 ? shown : '?';
    lossy = lossy || shown == 0;
    read += sequence;
  }
  // What follows a NUL is not shown, but still decides whether the text is UTF-8.
  if (end < length && !validated && !IsValidUtf8(text.substr(std::max(end, start)))) {
    if (end > start) back.Restore(bytes, start, write, end);
    return std::nullopt;
  }
  text.resize(end <= start ? end : write);
  return lossy;
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
