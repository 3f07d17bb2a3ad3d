#include "core/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

namespace core {
namespace {

using Kind = TextEncoding::Kind;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The length of a valid sequence starting at `at`, or 0.
std::size_t SequenceLength(const unsigned char* at, std::size_t left) {
  const unsigned char lead = at[0];
  std::size_t length = 0;
  unsigned char low = 0x80;  // the allowed range of the second byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (left < length || at[1] < low || at[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(at[i])) return 0;
  }
  return length;
}

bool StartsWith(std::string_view bytes, std::string_view start) {
  return bytes.substr(0, start.size()) == start;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

bool IsAscii(std::string_view bytes) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080U;
  std::size_t at = 0;
  for (; at + 8 <= bytes.size(); at += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    if (word & kHighBits) return false;
  }
  for (; at < bytes.size(); ++at) {
    if (static_cast<unsigned char>(bytes[at]) > 127) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = at + bytes.size();
  while (at < end) {
    // Runs of ASCII a word at a time.
    if (end - at >= 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, at, sizeof word);
      if ((word & 0x8080808080808080U) == 0) {
        at += 8;
        continue;
      }
    }
    if (*at < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = SequenceLength(at, static_cast<std::size_t>(end - at));
    if (length == 0) return false;
    at += length;
  }
  return true;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (StartsWith(bytes, kUtf8Mark)) return {Kind::Utf8, 0, kUtf8Mark.size()};
  if (StartsWith(bytes, kUtf16LEMark)) return {Kind::Utf16LE, 0, kUtf16LEMark.size()};
  if (StartsWith(bytes, kUtf16BEMark)) return {Kind::Utf16BE, 0, kUtf16BEMark.size()};
  if (IsAscii(bytes) || !IsValidUtf8(bytes)) return {};
  return {Kind::Utf8, 0, 0};
}

std::optional<TextEncoding> EncodingOfContentType(std::string_view contentType) {
  const std::string lower = Lower(contentType);
  const std::size_t charset = lower.find("charset=");
  if (charset == std::string::npos) return std::nullopt;
  std::string name = lower.substr(charset + 8);
  name = name.substr(0, name.find_first_of(" ;,"));
  name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
  if (name == "utf-8" || name == "utf8") return TextEncoding{Kind::Utf8, 0, 0};
  if (name == "utf-16" || name == "utf-16le") return TextEncoding{Kind::Utf16LE, 0, 0};
  if (name == "utf-16be") return TextEncoding{Kind::Utf16BE, 0, 0};
  if (name == "iso-8859-1" || name == "latin1") return TextEncoding{Kind::CodePage, 28591, 0};
  if (name.size() == 12 && name.starts_with("windows-125") && name[11] >= '0' && name[11] <= '8') {
    return TextEncoding{Kind::CodePage, 1250u + static_cast<unsigned>(name[11] - '0'), 0};
  }
  return std::nullopt;
}

TextEncoding EncodingOf(std::string_view bytes, const std::optional<TextEncoding>& declared) {
  if (!declared) return DetectEncoding(bytes);
  TextEncoding encoding = *declared;
  if (encoding.kind == Kind::Utf8 && StartsWith(bytes, kUtf8Mark)) {
    encoding.markLength = kUtf8Mark.size();
  } else if (encoding.kind != Kind::CodePage && encoding.kind != Kind::Utf8) {
    // UTF-16's own mark tells the byte order.
    if (StartsWith(bytes, kUtf16BEMark)) encoding = {Kind::Utf16BE, 0, kUtf16BEMark.size()};
    if (StartsWith(bytes, kUtf16LEMark)) encoding = {Kind::Utf16LE, 0, kUtf16LEMark.size()};
  }
  return encoding;
}

}  // namespace core
