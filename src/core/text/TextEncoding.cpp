#include "core/text/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/text/TextDecoding.h"

namespace core {
namespace {

using Kind = TextEncoding::Kind;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

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

std::optional<TextEncoding> EncodingOfMark(std::string_view bytes) {
  if (StartsWith(bytes, kUtf8Mark)) return TextEncoding{Kind::Utf8, 0, kUtf8Mark.size()};
  if (StartsWith(bytes, kUtf16LEMark)) return TextEncoding{Kind::Utf16LE, 0, kUtf16LEMark.size()};
  if (StartsWith(bytes, kUtf16BEMark)) return TextEncoding{Kind::Utf16BE, 0, kUtf16BEMark.size()};
  return std::nullopt;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (const auto marked = EncodingOfMark(bytes)) return *marked;
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
