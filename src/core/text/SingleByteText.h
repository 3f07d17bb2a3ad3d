#pragma once
// UTF-8 and UTF-16 text turned into a single-byte code page in place, a character at a time
// through a table of the code page. The system's own conversions are several times slower, and
// a file of many MB is converted at every change.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The code page's byte for each character of the Basic Multilingual Plane; 0 where the code
// page has none.
using SingleByteTable = std::array<unsigned char, 65536>;

struct Converted {
  std::size_t length = 0;  // of the converted text, from the start of the buffer
  bool lossy = false;      // some character became "?"
};

// Converts the UTF-8 in text[from, length) in place, up to the first NUL, writing from the
// buffer's start (so a byte-order mark goes without moving the text). A character the table
// lacks, one beyond the plane, and each byte of a malformed sequence become "?".
Converted Utf8ToSingleByte(char* text, std::size_t from, std::size_t length,
                           const SingleByteTable& table);

// For text of no declared encoding and no mark: true when it has bytes above 127 and the first
// of them begins a valid UTF-8 sequence, so that the table is worth building. A code page's
// accented letter, followed by ASCII, settles it at once.
bool MayBeUtf8(std::string_view text);

// For the same text: converted in place as Utf8ToSingleByte converts it (lossy or not) when it is
// UTF-8 as a whole as DetectEncoding decides, validated in the same walk. At the first invalid
// sequence it is left as it was and the result is nullopt. Converted in place, without a copy.
std::optional<bool> Utf8ToSingleByteIfValid(std::string& text, const SingleByteTable& table);

// The same for UTF-16 code units; an odd last byte is no character, and a NUL unit ends the text.
Converted Utf16ToSingleByte(char* text, std::size_t from, std::size_t length, bool bigEndian,
                            const SingleByteTable& table);

}  // namespace core
