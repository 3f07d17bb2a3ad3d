// Decoding a read into the shown text: deciding in one walk gives what DetectEncoding's decision
// gives, valid UTF-8 comes back byte for byte, malformed UTF-8 leaves no unpaired surrogate,
// code-page text written as UTF-8 or UTF-16 comes back character for character, and the walk
// takes linear time.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/text/TextDecoding.h"
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

// The system's part: windows-1252, each byte without a character as U+FFFD. It never sees a NUL.
std::u16string Cp1252(std::string_view bytes, unsigned) {
  FUZZ_CHECK(bytes.find('\0') == std::string_view::npos);
  std::u16string text;
  for (const char byte : bytes) {
    const std::uint16_t c = CharacterOf(static_cast<unsigned char>(byte));
    text += c == 0 ? char16_t{0xFFFD} : static_cast<char16_t>(c);
  }
  return text;
}

void AppendUtf16(std::string& out, std::uint16_t c, bool bigEndian) {
  const char high = static_cast<char>(c >> 8);
  const char low = static_cast<char>(c & 0xFF);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
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

bool PairsItsSurrogates(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
    const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
    if (low) return false;
    if (high && (++i == text.size() || text[i] < 0xDC00 || text[i] > 0xDFFF)) return false;
  }
  return true;
}

void CheckDecoding(std::string_view bytes, const std::optional<core::TextEncoding>& declared) {
  FUZZ_CHECK(core::IsValidUtf8(bytes) == PlainUtf8(bytes));
  const std::u16string text =
      fuzz::InLinearTime(bytes.size(), [&] { return core::DecodeText(bytes, declared, Cp1252); });
  FUZZ_CHECK(text.find(u'\0') == std::u16string::npos);
  if (!declared) {
    FUZZ_CHECK(text == core::DecodeText(bytes, core::DetectEncoding(bytes), Cp1252));
  }
  const core::TextEncoding utf8{Kind::Utf8, 0, 0};
  const std::u16string asUtf8 = core::DecodeText(bytes, utf8, Cp1252);
  FUZZ_CHECK(asUtf8.size() <= bytes.size());
  FUZZ_CHECK(PairsItsSurrogates(asUtf8));
  if (PlainUtf8(bytes) && !core::EncodingOfMark(bytes)) {
    FUZZ_CHECK(core::Utf8OfUtf16(asUtf8) == bytes.substr(0, bytes.find('\0')));
  }
}

// Code-page text from the input's bytes (NUL and the bytes without a character left out).
void CheckRoundTrip(std::string_view bytes) {
  std::u16string text;
  std::string utf8 = "\xEF\xBB\xBF";
  std::string utf16le = "\xFF\xFE";
  std::string utf16be = "\xFE\xFF";
  for (const char byte : bytes) {
    const std::uint16_t c = CharacterOf(static_cast<unsigned char>(byte));
    if (c == 0) continue;
    text += static_cast<char16_t>(c);
    core::AppendUtf8(utf8, c);
    AppendUtf16(utf16le, c, false);
    AppendUtf16(utf16be, c, true);
  }
  for (const std::string& encoded : {utf8, utf16le, utf16be}) {
    FUZZ_CHECK(core::DecodeText(encoded, std::nullopt, Cp1252) == text);
  }
  FUZZ_CHECK(core::DecodeText(utf8.substr(3), std::nullopt, Cp1252) == text);
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
  CheckDecoding(bytes, declared);
  CheckRoundTrip(bytes);
  return 0;
}
