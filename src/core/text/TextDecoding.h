#pragma once
// The bytes of a read as the UTF-16 text the bar shows, in one walk whatever they came in. The
// platform decodes code pages; everything else is decoded here.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"

namespace core {

// Bytes in a code page (0: the system's) as UTF-16, as the system decodes them.
using CodePageDecoder = std::function<std::u16string(std::string_view bytes, unsigned codePage)>;

// The text of `bytes`, without its byte-order mark and up to its first NUL (a NUL unit in
// UTF-16). `declared` (a web server's charset) decides first, then a mark. With neither, UTF-8 is
// decoded while it is validated; at the first invalid sequence the whole is the system's code
// page instead, as DetectEncoding decides. In declared or marked UTF-8 each malformed sequence
// (its longest valid start, or a lone byte) is one U+FFFD. UTF-16's surrogates are kept as they
// are; an odd last byte is no character. Throws std::bad_alloc when memory runs out.
std::u16string DecodeText(std::string_view bytes, const std::optional<TextEncoding>& declared,
                          const CodePageDecoder& codePage);

// Bytes decoded at a time; a sequence may reach beyond a piece's end.
inline constexpr std::size_t kDecodePiece = 4096;

// True when every byte is below 128. One pass, a word at a time.
bool IsAscii(std::string_view bytes);

// True when the bytes are UTF-8 as a whole: no overlong forms, no surrogates, nothing beyond
// U+10FFFF, nothing cut off.
bool IsValidUtf8(std::string_view bytes);

// UTF-8 (a headline, a source's name) appended as UTF-16 up to a NUL, a malformed sequence as
// U+FFFD.
void AppendDecodedUtf8(std::u16string& out, std::string_view utf8);
std::u16string Utf16OfUtf8(std::string_view utf8);

// Appends the code point in UTF-8.
void AppendUtf8(std::string& out, std::uint32_t point);

// UTF-16 as UTF-8 (a story's address); an unpaired surrogate becomes U+FFFD.
std::string Utf8OfUtf16(std::u16string_view text);

}  // namespace core
