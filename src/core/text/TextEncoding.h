#pragma once
// Which encoding the bytes of a read are in: a byte-order mark, a web server's charset, or the
// bytes themselves.

#include <cstddef>
#include <optional>
#include <string_view>

namespace core {

struct TextEncoding {
  enum class Kind { CodePage, Utf8, Utf16LE, Utf16BE };
  Kind kind = Kind::CodePage;
  unsigned codePage = 0;       // CodePage: 0 is the system's own
  std::size_t markLength = 0;  // the byte-order mark at the start, not shown

  bool operator==(const TextEncoding&) const = default;
};

// The encoding a byte-order mark at the start names; nullopt when there is none.
std::optional<TextEncoding> EncodingOfMark(std::string_view bytes);

// From the bytes alone: a byte-order mark decides; without one, bytes above 127 that are valid
// UTF-8 as a whole (no overlong forms, no surrogates, nothing cut off) are UTF-8; anything else
// is the system's code page.
TextEncoding DetectEncoding(std::string_view bytes);

// The encoding a Content-Type's charset names (utf-8, utf-16, iso-8859-1, windows-1250 to 1258);
// nullopt when it names none or one not understood.
std::optional<TextEncoding> EncodingOfContentType(std::string_view contentType);

// A declared encoding decides over the bytes, but a mark that matches it is still not shown;
// UTF-16 without a mark is little-endian.
TextEncoding EncodingOf(std::string_view bytes, const std::optional<TextEncoding>& declared);

}  // namespace core
