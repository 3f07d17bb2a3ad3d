// Encoding detection and conversion to the code page: ASCII comes out as it went in, the output
// is never longer than the input, and code-page text written as UTF-8 or UTF-16 comes back byte
// for byte; text converted in one walk is either all UTF-8 or left as it was. Detection and the
// one walk take linear time.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/feed/FeedEncoding.h"
#include "core/text/SingleByteText.h"
#include "core/text/TextEncoding.h"

namespace {

using Kind = core::TextEncoding::Kind;

// Windows-1252: bytes 0x80 to 0x9F as their characters (0 where the code page has none), the
// rest as Latin-1.
constexpr std::array<std::uint16_t, 32> kCp1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint16_t CharacterOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

const core::SingleByteTable& Cp1252() {
  static const auto table = [] {
    auto built = std::make_unique<core::SingleByteTable>();
    built->fill(0);
    for (unsigned byte = 1; byte < 256; ++byte) {
      if (const std::uint16_t c = CharacterOf(static_cast<unsigned char>(byte))) {
        (*built)[c] = static_cast<unsigned char>(byte);
      }
    }
    return built;
  }();
  return *table;
}

void AppendUtf16(std::string& out, std::uint16_t c, bool bigEndian) {
  const char high = static_cast<char>(c >> 8);
  const char low = static_cast<char>(c & 0xFF);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
}

// The converted text, as the program converts a read in the encoding found.
std::string Convert(std::string bytes, const core::TextEncoding& encoding, bool& lossy) {
  core::Converted converted{bytes.size(), false};
  if (encoding.kind == Kind::Utf8) {
    converted = core::Utf8ToSingleByte(bytes.data(), encoding.markLength, bytes.size(), Cp1252());
  } else if (encoding.kind != Kind::CodePage) {
    converted = core::Utf16ToSingleByte(bytes.data(), encoding.markLength, bytes.size(),
                                        encoding.kind == Kind::Utf16BE, Cp1252());
  }
  lossy = converted.lossy;
  FUZZ_CHECK(converted.length <= bytes.size());
  bytes.resize(converted.length);
  return bytes;
}

// A plain reading of the UTF-8 rules, to hold the fast validator to.
bool PlainUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 1;
    std::uint32_t point = lead;
    if (lead >= 0xF0 && lead < 0xF8)
      length = 4, point = lead & 0x07;
    else if (lead >= 0xE0 && lead < 0xF0)
      length = 3, point = lead & 0x0F;
    else if (lead >= 0xC0 && lead < 0xE0)
      length = 2, point = lead & 0x1F;
    else if (lead >= 0x80)
      return false;
    if (i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      point = (point << 6) | (next & 0x3F);
    }
    constexpr std::array<std::uint32_t, 5> kLeast{0, 0, 0x80, 0x800, 0x10000};
    if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

void CheckDetection(std::string_view bytes, const std::optional<core::TextEncoding>& declared) {
  bool ascii = true;
  for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  FUZZ_CHECK(core::IsAscii(bytes) == ascii);
  FUZZ_CHECK(core::IsValidUtf8(bytes) == PlainUtf8(bytes));
  const core::TextEncoding found = core::DetectEncoding(bytes);
  if (ascii) FUZZ_CHECK(found.AsIs());
  const core::TextEncoding encoding =
      fuzz::InLinearTime(bytes.size(), [&] { return core::EncodingOf(bytes, declared); });
  FUZZ_CHECK(encoding.markLength <= bytes.size());
  bool lossy = false;
  const std::string converted = Convert(std::string(bytes), encoding, lossy);
  if (ascii && encoding.kind == Kind::Utf8)
    FUZZ_CHECK(converted == bytes.substr(0, bytes.find('\0')));
  if (encoding.kind == Kind::CodePage) FUZZ_CHECK(converted == bytes);

  // In one walk: converted as the two walks convert it when all of it is UTF-8, else untouched.
  std::string oneWalk(bytes);
  const std::optional<bool> oneLossy = fuzz::InLinearTime(
      bytes.size(), [&] { return core::Utf8ToSingleByteIfValid(oneWalk, Cp1252()); });
  FUZZ_CHECK(oneLossy.has_value() == PlainUtf8(bytes));
  if (oneLossy) {
    FUZZ_CHECK(oneWalk == Convert(std::string(bytes), {Kind::Utf8, 0, 0}, lossy));
    FUZZ_CHECK(*oneLossy == lossy);
  } else {
    FUZZ_CHECK(oneWalk == bytes);
  }
}

// Code-page text from the input's bytes (NUL and the bytes without a character left out).
void CheckRoundTrip(std::string_view bytes) {
  std::string text;
  std::string utf8;
  std::string utf16le = "\xFF\xFE";
  std::string utf16be = "\xFE\xFF";
  for (const char byte : bytes) {
    const std::uint16_t c = CharacterOf(static_cast<unsigned char>(byte));
    if (c == 0) continue;
    text += byte;
    core::AppendUtf8(utf8, c);
    AppendUtf16(utf16le, c, false);
    AppendUtf16(utf16be, c, true);
  }
  for (const std::string& encoded : {utf8, utf16le, utf16be}) {
    const core::TextEncoding encoding = core::DetectEncoding(encoded);
    bool lossy = true;
    FUZZ_CHECK(Convert(encoded, encoding, lossy) == text);
    FUZZ_CHECK(!lossy);
  }
  const bool ascii = core::IsAscii(text);
  FUZZ_CHECK(core::DetectEncoding(utf8).kind == (ascii ? Kind::CodePage : Kind::Utf8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  std::optional<core::TextEncoding> declared;
  switch (provider.ConsumeIntegralInRange(0, 4)) {
    case 1: declared = core::TextEncoding{Kind::Utf8, 0, 0}; break;
    case 2: declared = core::TextEncoding{Kind::Utf16LE, 0, 0}; break;
    case 3: declared = core::TextEncoding{Kind::Utf16BE, 0, 0}; break;
    case 4: declared = core::TextEncoding{Kind::CodePage, 1252, 0}; break;
    default: break;
  }
  const std::string bytes = provider.ConsumeRemainingBytesAsString();
  CheckDetection(bytes, declared);
  CheckRoundTrip(bytes);
  return 0;
}
