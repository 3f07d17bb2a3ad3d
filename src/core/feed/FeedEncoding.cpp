#include "core/feed/FeedEncoding.h"

#include <array>
#include <cstdint>

namespace core {
namespace {

using Kind = TextEncoding::Kind;

constexpr unsigned kLatin1 = 28591;
constexpr unsigned kWindows1252 = 1252;

// windows-1252's 0x80-0x9F; the five holes keep their Latin-1 control character.
constexpr std::array<std::uint16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char32_t Windows1252Character(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

std::string Utf16ToUtf8(std::string_view bytes) {
  const bool bigEndian = bytes.starts_with("\xFE\xFF");
  const auto unitAt = [&](std::size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<std::uint32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  std::string out;
  out.reserve(bytes.size());
  const std::size_t start = bytes.starts_with("\xFF\xFE") || bigEndian ? 2 : 0;
  for (std::size_t at = start; at + 1 < bytes.size(); at += 2) {
    std::uint32_t unit = unitAt(at);
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < bytes.size()) {
      const std::uint32_t low = unitAt(at + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;
    AppendUtf8(out, unit);
  }
  return out;
}

std::optional<TextEncoding> EncodingOfDeclaration(std::string_view name) {
  if (name == "us-ascii" || name == "ascii") return TextEncoding{Kind::Utf8, 0, 0};
  return EncodingOfContentType("charset=" + std::string(name));
}

std::optional<std::string> SingleByteToUtf8(std::string_view bytes, const TextEncoding& encoding) {
  if (encoding.kind == Kind::Utf8) return std::string(bytes);
  if (encoding.kind != Kind::CodePage ||
      (encoding.codePage != kLatin1 && encoding.codePage != kWindows1252)) {
    return std::nullopt;
  }
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else if (byte < 0xA0 && encoding.codePage == kWindows1252) {
      AppendUtf8(out, Windows1252Character(byte));
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

}  // namespace core
