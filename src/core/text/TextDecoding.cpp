#include "core/text/TextDecoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace core {
namespace {

using Kind = TextEncoding::Kind;

constexpr std::uint64_t kOnes = 0x0101010101010101U;
constexpr std::uint64_t kHighBits = 0x8080808080808080U;
constexpr char16_t kReplacement = 0xFFFD;

std::uint64_t Word(const unsigned char* at) {
  std::uint64_t word = 0;
  std::memcpy(&word, at, sizeof word);
  return word;
}

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// A sequence whose lead byte is above 127. A malformed one has the length of its longest valid
// start (at least its lead): the bytes that one U+FFFD stands for.
struct Sequence {
  std::uint32_t point = 0;
  std::size_t length = 1;
  bool valid = false;
};

// The second byte's range rules out overlong forms, surrogates and points beyond U+10FFFF.
Sequence ReadSequence(const unsigned char* at, std::size_t left) {
  const unsigned char lead = at[0];
  std::size_t length = 0;
  std::uint32_t point = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead < 0xC2 || lead >= 0xF5) return {};
  if (lead < 0xE0) {
    length = 2, point = lead & 0x1F;
  } else if (lead < 0xF0) {
    length = 3, point = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else {
    length = 4, point = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  if (left < 2 || at[1] < low || at[1] > high) return {};
  point = (point << 6) | (at[1] & 0x3F);
  for (std::size_t i = 2; i < length; ++i) {
    if (i >= left || !IsContinuation(at[i])) return {0, i, false};
    point = (point << 6) | (at[i] & 0x3F);
  }
  return {point, length, true};
}

char16_t* Put(char16_t* out, std::uint32_t point) {
  if (point < 0x10000) {
    *out++ = static_cast<char16_t>(point);
    return out;
  }
  point -= 0x10000;
  *out++ = static_cast<char16_t>(0xD800 + (point >> 10));
  *out++ = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
  return out;
}

enum class Malformed { kReplace, kStop };

struct Walk {
  std::size_t read = 0;
  std::size_t written = 0;
  bool stopped = false;  // at a malformed sequence
};

// The ASCII bytes that start the word, before its first byte above 127 or NUL.
std::size_t AsciiStart(std::uint64_t word) {
  const std::uint64_t flagged = (word | ((word - kOnes) & ~word)) & kHighBits;
  if constexpr (std::endian::native == std::endian::little) {
    return flagged == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(flagged)) / 8;
  } else {
    return flagged == 0 ? 8 : 0;
  }
}

// UTF-8 up to the end or a NUL, appended to `out` a piece at a time through a buffer on the
// stack, so that the text is written once and never cleared first. No sequence gives more units
// than it has bytes, so a piece's units fit the buffer even when its last sequence reaches
// beyond the piece's end. ASCII goes eight bytes at a time.
Walk AppendUtf8(std::string_view bytes, std::u16string& out, Malformed malformed) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  // Left uninitialized: each unit is written before it is read, and clearing it would cost a
  // walk of its own.
  std::array<char16_t, kDecodePiece + 8> piece;  // NOLINT(cppcoreguidelines-pro-type-member-init)
  std::size_t at = 0;
  std::size_t written = 0;
  bool ended = false;
  bool stopped = false;
  while (at < size && !ended && !stopped) {
    const std::size_t pieceEnd = std::min(size, at + kDecodePiece);
    char16_t* next = piece.data();
    while (at < pieceEnd) {
      if (pieceEnd - at >= 8) {
        const std::uint64_t word = Word(in + at);
        for (std::size_t i = 0; i < 8; ++i) next[i] = in[at + i];
        const std::size_t ascii = AsciiStart(word);
        next += ascii;
        at += ascii;
        if (ascii == 8) continue;
      }
      const unsigned char lead = in[at];
      if (lead == 0) {
        ended = true;
        break;
      }
      if (lead < 0x80) {
        *next++ = lead;
        ++at;
        continue;
      }
      // Most accents take two bytes.
      if (lead >= 0xC2 && lead < 0xE0 && at + 1 < size && IsContinuation(in[at + 1])) {
        *next++ = static_cast<char16_t>(((lead & 0x1F) << 6) | (in[at + 1] & 0x3F));
        at += 2;
        continue;
      }
      const Sequence sequence = ReadSequence(in + at, size - at);
      if (sequence.valid) {
        next = Put(next, sequence.point);
      } else if (malformed == Malformed::kStop) {
        stopped = true;
        break;
      } else {
        *next++ = kReplacement;
      }
      at += sequence.length;
    }
    const auto count = static_cast<std::size_t>(next - piece.data());
    out.append(piece.data(), count);
    written += count;
  }
  return {at, written, stopped};
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  std::u16string text(bytes.size() / 2, u'\0');  // an odd last byte is no character
  std::size_t count = 0;
  for (; count < text.size(); ++count) {
    const unsigned first = in[2 * count];
    const unsigned second = in[2 * count + 1];
    const auto unit =
        static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    if (unit == 0) break;
    text[count] = unit;
  }
  text.resize(count);
  return text;
}

std::u16string DecodeCodePage(std::string_view bytes, unsigned page,
                              const CodePageDecoder& codePage) {
  bytes = bytes.substr(0, bytes.find('\0'));
  if (bytes.empty()) return {};
  return codePage(bytes, page);
}

std::u16string DecodeUtf8Text(std::string_view bytes, Malformed malformed, bool& stopped) {
  std::u16string text;
  text.reserve(bytes.size());
  const Walk walk = AppendUtf8(bytes, text, malformed);
  // The bytes after a NUL are not shown, but they still decide whether the whole is UTF-8.
  stopped = walk.stopped || !IsValidUtf8(bytes.substr(walk.read));
  return text;
}

}  // namespace

bool IsAscii(std::string_view bytes) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t at = 0;
  for (; bytes.size() - at >= 8; at += 8) {
    if ((Word(in + at) & kHighBits) != 0) return false;
  }
  return std::all_of(in + at, in + bytes.size(), [](unsigned char c) { return c < 0x80; });
}

bool IsValidUtf8(std::string_view bytes) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t at = 0;
  while (at < size) {
    while (size - at >= 8 && (Word(in + at) & kHighBits) == 0) at += 8;
    if (at == size) break;
    if (in[at] < 0x80) {
      ++at;
      continue;
    }
    const Sequence sequence = ReadSequence(in + at, size - at);
    if (!sequence.valid) return false;
    at += sequence.length;
  }
  return true;
}

std::u16string DecodeText(std::string_view bytes, const std::optional<TextEncoding>& declared,
                          const CodePageDecoder& codePage) {
  const std::optional<TextEncoding> known =
      declared ? EncodingOf(bytes, declared) : EncodingOfMark(bytes);
  if (!known) {
    bool stopped = false;
    std::u16string text = DecodeUtf8Text(bytes, Malformed::kStop, stopped);
    if (!stopped) return text;
    std::u16string().swap(text);  // freed before the code page's text is made
    return DecodeCodePage(bytes, 0, codePage);
  }
  bytes.remove_prefix(known->markLength);
  switch (known->kind) {
    case Kind::Utf8: {
      bool stopped = false;
      return DecodeUtf8Text(bytes, Malformed::kReplace, stopped);
    }
    case Kind::Utf16LE: return DecodeUtf16(bytes, false);
    case Kind::Utf16BE: return DecodeUtf16(bytes, true);
    case Kind::CodePage: break;
  }
  return DecodeCodePage(bytes, known->codePage, codePage);
}

void AppendDecodedUtf8(std::u16string& out, std::string_view utf8) {
  AppendUtf8(utf8, out, Malformed::kReplace);
}

std::u16string Utf16OfUtf8(std::string_view utf8) {
  std::u16string text;
  AppendDecodedUtf8(text, utf8);
  return text;
}

void AppendUtf8(std::string& out, std::uint32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (point >> 18));
    out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

std::string Utf8OfUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    std::uint32_t unit = text[at];
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
        text[at + 1] <= 0xDFFF) {
      unit = 0x10000 + ((unit - 0xD800) << 10) + (text[++at] - 0xDC00);
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      unit = kReplacement;
    }
    AppendUtf8(out, unit);
  }
  return out;
}

}  // namespace core
