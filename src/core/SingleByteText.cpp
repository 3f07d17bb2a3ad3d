#include "core/SingleByteText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/TextEncoding.h"
#include "core/Utf8.h"

namespace core {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101U;

// Eight bytes, none above 127 and none a NUL: they stay as they are.
bool IsPlainAsciiWord(const unsigned char* at) {
  const std::uint64_t word = utf8::Word(at);
  return (word & utf8::kHighBits) == 0 && ((word - kOnes) & ~word & utf8::kHighBits) == 0;
}

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
  // The ASCII start stays where it is; the rest is written aside until all of it has proved
  // valid, so that the bytes as they were are still there at an invalid sequence.
  const std::size_t start = utf8::FirstHighByte(text);
  std::size_t end = length;
  if (const void* nul = std::memchr(bytes, 0, start)) {
    end = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - bytes);
  }
  const std::size_t aside = end > start ? end - start : 0;
  const std::unique_ptr<unsigned char[]> converted(new unsigned char[aside]);
  std::size_t read = start;
  std::size_t write = 0;
  bool lossy = false;
  while (read < end) {
    // Eight bytes copied at once, of which those before the first high byte or NUL count.
    if (end - read >= 8) {
      const std::uint64_t word = utf8::Word(bytes + read);
      const std::uint64_t stops = (word | ((word - kOnes) & ~word)) & utf8::kHighBits;
      std::memcpy(converted.get() + write, bytes + read, 8);
      const auto plain = static_cast<std::size_t>(std::countr_zero(stops) / 8);
      read += plain, write += plain;
      if (plain == 8) continue;
    }
    const unsigned char c = bytes[read];
    if (c == 0) {
      end = read;
      break;
    }
    if (c < 0x80) {
      converted[write++] = c;
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
      if (sequence == 0) return std::nullopt;
    }
    const unsigned char shown = point <= 0xFFFF ? table[point] : 0;
    converted[write++] = shown != 0 ? shown : '?';
    lossy = lossy || shown == 0;
    read += sequence;
  }
  // What follows a NUL is not shown, but still decides whether the text is UTF-8.
  if (end < length && !IsValidUtf8(text.substr(std::max(end, start)))) return std::nullopt;
  if (end <= start) {
    text.resize(end);
  } else {
    std::memcpy(bytes + start, converted.get(), write);
    text.resize(start + write);
  }
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
