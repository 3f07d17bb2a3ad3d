#include "core/text/TextDecoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TestNames.h"

namespace core {
namespace {

using Kind = TextEncoding::Kind;

// The system's part, as Latin-1 behind the number of the code page asked for.
std::u16string CodePageStandIn(std::string_view bytes, unsigned codePage) {
  const std::string number = std::to_string(codePage) + ":";
  std::u16string text(number.begin(), number.end());
  for (const char c : bytes) text += static_cast<unsigned char>(c);
  return text;
}

struct DecodeCase {
  const char* what;
  std::string bytes;
  std::optional<TextEncoding> declared;
  std::u16string text;
};

class DecodesText : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodesText, InOneWalk) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(DecodeText(c.bytes, c.declared, CodePageStandIn), c.text);
}

const TextEncoding kUtf8{Kind::Utf8, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Table, DecodesText,
    testing::Values(
        DecodeCase{"utf-8 of no mark",
                   "Headline: Caf\xC3\xA9 \xE2\x80\x93 \xCE\xB1",
                   {},
                   u"Headline: Caf\u00E9 \u2013 \u03B1"},
        DecodeCase{"a mark is skipped", "\xEF\xBB\xBFnews", {}, u"news"},
        DecodeCase{"utf-16 le", std::string("\xFF\xFEn\0\xE9\0", 6), {}, u"n\u00E9"},
        DecodeCase{"utf-16 be", std::string("\xFE\xFF\0n\x04\x10", 6), {}, u"n\u0410"},
        DecodeCase{"declared utf-16 without a mark", std::string("n\0", 2),
                   TextEncoding{Kind::Utf16LE, 0, 0}, u"n"},
        DecodeCase{"a declared code page", "Caf\xE9", TextEncoding{Kind::CodePage, 1251, 0},
                   u"1251:Caf\u00E9"},
        DecodeCase{"a nul ends utf-8", std::string("ab\0c\xC3\xA9", 6), {}, u"ab"},
        DecodeCase{"a nul unit ends utf-16", std::string("\xFF\xFEn\0\0\0x\0", 8), {}, u"n"},
        DecodeCase{"a nul ends a code page", std::string("a\xE9\0b", 4), {}, u"0:a\u00E9"},
        DecodeCase{"invalid utf-8 is the system's code page",
                   "Caf\xC3\xA9 Caf\xE9",
                   {},
                   u"0:Caf\u00C3\u00A9 Caf\u00E9"},
        DecodeCase{"an overlong form is not utf-8", "a\xC0\xAF", {}, u"0:a\u00C0\u00AF"},
        DecodeCase{"invalid after a nul still decides", std::string("a\0\xE9", 3), {}, u"0:a"},
        DecodeCase{"declared utf-8 shows each malformed sequence as one U+FFFD",
                   "a\xE2\x82z\xC0z\xED\xA0z\xF0\x9F\x98", kUtf8,
                   u"a\uFFFDz\uFFFDz\uFFFD\uFFFDz\uFFFD"},
        DecodeCase{"marked utf-8 as declared",
                   "\xEF\xBB\xBF"
                   "Caf\xE9",
                   {},
                   u"Caf\uFFFD"},
        DecodeCase{"beyond the plane a surrogate pair", "\xF0\x9F\x98\x80!", {}, u"\U0001F600!"},
        DecodeCase{
            "utf-16 surrogates as they are", std::string("\xFF\xFE\x00\xD8x\0", 6), {}, u"\xD800x"},
        DecodeCase{"an odd last byte is no character", std::string("\xFF\xFEn\0x", 5), {}, u"n"},
        DecodeCase{"a sequence across a piece's end",
                   std::string(kDecodePiece - 1, 'a') + "\xE2\x80\x93",
                   {},
                   std::u16string(kDecodePiece - 1, u'a') + u"\u2013"}),
    testing_names::FromWhat());

}  // namespace
}  // namespace core
