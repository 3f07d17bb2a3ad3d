#pragma once
// Which encoding the bytes of a read are in. The bar draws 8-bit text in the system's code page;
// text in UTF-8 or UTF-16 is converted to it once per read, and everything else is shown byte
// for byte as it always was.

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
  // Shown byte for byte: nothing to convert.
  bool AsIs() const { return kind == Kind::CodePage && codePage == 0 && markLength == 0; }
};

// The encoding a byte-order mark at the start names; nullopt when there is none.
std::optional<TextEncoding> EncodingOfMark(std::string_view bytes);

// From the bytes alone: a byte-order mark decides; without one, bytes above 127 that are valid
// UTF-8 as a whole (no overlong forms, no surrogates, nothing cut off) are UTF-8; anything else
// is the system's code page.
TextEncoding DetectEncoding(std::string_view bytes);

// True when every byte is below 128. One pass, a word at a time.
bool IsAscii(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

// The encoding a Content-Type's charset names (utf-8, utf-16, iso-8859-1, windows-1250 to 1258);
// nullopt when it names none or one not understood.
std::optional<TextEncoding> EncodingOfContentType(std::string_view contentType);

// A declared encoding decides over the bytes, but a mark that matches it is still not shown;
// UTF-16 without a mark is little-endian.
TextEncoding EncodingOf(std::string_view bytes, const std::optional<TextEncoding>& declared);

}  // namespace core
