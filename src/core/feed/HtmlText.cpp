#include "core/feed/HtmlText.h"

#include <cctype>
#include <cstdint>
#include <optional>

#include "core/feed/FeedEncoding.h"
#include "core/feed/HtmlReferences.h"

namespace core {
namespace {

// Digits of a numeric reference after "&#": eight at most ("x" counted), so a run of zeros is
// never followed far.
constexpr std::size_t kMostReferenceDigits = 8;

bool IsAsciiAlnum(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// Copies `size` characters of `text` from `from` back to `to`, which is not after it.
void MoveBack(std::string& text, std::size_t from, std::size_t size, std::size_t& to) {
  std::char_traits<char>::move(text.data() + to, text.data() + from, size);
  to += size;
}

// A character reference to nothing that can be shown becomes U+FFFD.
void AppendReferenced(std::string& out, std::uint32_t point) {
  if (point == 0 || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) point = 0xFFFD;
  AppendUtf8(out, point);
}

struct Reference {
  std::uint32_t first;
  std::uint32_t second;
  std::size_t end;  // just after the ";"
};

// The numeric reference whose digits (after "#", with an "x" for hex) start at `at`.
std::optional<Reference> NumericAt(std::string_view text, std::size_t at) {
  const bool hex = at < text.size() && (text[at] == 'x' || text[at] == 'X');
  const std::size_t digits = at + (hex ? 1 : 0);
  std::uint32_t point = 0;
  std::size_t end = digits;
  for (; end < text.size() && end - at < kMostReferenceDigits; ++end) {
    const auto c = static_cast<unsigned char>(text[end]);
    const int digit = std::isdigit(c)                ? c - '0'
                      : hex && std::isxdigit(c) != 0 ? std::tolower(c) - 'a' + 10
                                                     : -1;
    if (digit < 0) break;
    point = point * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
  }
  if (end == digits || end >= text.size() || text[end] != ';') return std::nullopt;
  // Pages written in windows-1252 refer to its bytes by number: HTML reads them as its characters.
  if (point >= 0x80 && point <= 0x9F) {
    point = Windows1252Character(static_cast<unsigned char>(point));
  }
  return Reference{point, 0, end + 1};
}

// The reference that starts with the "&" at `amp`, if it is one HTML knows.
std::optional<Reference> ReferenceAt(std::string_view text, std::size_t amp) {
  if (amp + 1 < text.size() && text[amp + 1] == '#') return NumericAt(text, amp + 2);
  std::size_t end = amp + 1;
  while (end < text.size() && end - amp <= kLongestHtmlReferenceName && IsAsciiAlnum(text[end])) {
    ++end;
  }
  if (end >= text.size() || text[end] != ';') return std::nullopt;
  const HtmlReference* named = FindHtmlReference(text.substr(amp + 1, end - amp - 1));
  if (named == nullptr) return std::nullopt;
  return Reference{named->first, named->second, end + 1};
}

// The length of the blank, control character (C0, DEL or C1, such as NEL) or line or paragraph
// separator that starts `text`, in UTF-8; 0 when it starts with none.
std::size_t BlankLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(0) <= 0x20 || byte(0) == 0x7F) return 1;
  if (text.size() >= 2 && byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) return 2;
  if (text.size() >= 3 && byte(0) == 0xE2 && byte(1) == 0x80 &&
      (byte(2) == 0xA8 || byte(2) == 0xA9)) {
    return 3;
  }
  return 0;
}

}  // namespace

// Once no ">" follows, none follows any later "<" either: each byte is searched once. In place,
// since a tag's blank is shorter than the tag.
void StripTags(std::string& text) {
  const std::string_view view(text);
  std::size_t out = 0;
  bool closable = true;
  std::size_t at = 0;
  while (at < view.size()) {
    const std::size_t open = view.find('<', at);
    if (open == std::string_view::npos || open + 1 >= view.size()) {
      MoveBack(text, at, view.size() - at, out);
      break;
    }
    const char next = view[open + 1];
    const bool tag = std::isalpha(static_cast<unsigned char>(next)) != 0 || next == '/' ||
                     next == '!' || next == '?';
    const std::size_t close = tag && closable ? view.find('>', open) : std::string_view::npos;
    if (close == std::string_view::npos) {
      closable = closable && !tag;
      MoveBack(text, at, open + 1 - at, out);
      at = open + 1;
      continue;
    }
    MoveBack(text, at, open - at, out);
    text[out++] = ' ';  // "a<br>b" reads as two words
    at = close + 1;
  }
  text.resize(out);
}

// A reference is looked for only as far as the longest one reaches, and stops at the first
// character no name holds: each byte is looked at twice at most.
void DecodeHtmlReferences(std::string& decoded) {
  const std::string_view text(decoded);
  if (text.find('&') == std::string_view::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t amp = text.find('&', at);
    out.append(text.substr(at, amp - at));
    if (amp == std::string_view::npos) break;
    const std::optional<Reference> found = ReferenceAt(text, amp);
    if (!found) {
      out += '&';
      at = amp + 1;
      continue;
    }
    const Reference& reference = *found;
    AppendReferenced(out, reference.first);
    if (reference.second != 0) AppendReferenced(out, reference.second);
    at = reference.end;
  }
  decoded.swap(out);
}

// In place: a run is never shorter than its blank.
void CollapseBlanks(std::string& text) {
  std::size_t out = 0;
  bool blank = false;
  for (std::size_t at = 0; at < text.size();) {
    if (const std::size_t length = BlankLength(std::string_view(text).substr(at))) {
      blank = out > 0;
      at += length;
      continue;
    }
    if (blank) text[out++] = ' ';
    blank = false;
    text[out++] = text[at++];
  }
  text.resize(out);
}

}  // namespace core
