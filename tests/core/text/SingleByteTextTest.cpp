#include "core/text/SingleByteText.h"

#include <gtest/gtest.h>

#include "TestNames.h"

#include <memory>
#include <optional>
#include <string>

#include "core/text/TextEncoding.h"

namespace core {
namespace {

// ASCII, and three characters of code page 1252: é, ï and the en dash.
const SingleByteTable& Cp1252Part() {
  static const auto table = [] {
    auto built = std::make_unique<SingleByteTable>();
    built->fill(0);
    for (unsigned c = 1; c < 128; ++c) (*built)[c] = static_cast<unsigned char>(c);
    (*built)[0xE9] = 0xE9;
    (*built)[0xEF] = 0xEF;
    (*built)[0x2013] = 0x96;
    return built;
  }();
  return *table;
}

struct ConversionCase {
  const char* what;
  std::string utf8;
  std::string shown;
  bool lossy;
};

class Utf8Conversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(Utf8Conversion, GivesTheCodePagesBytes) {
  std::string text = GetParam().utf8;
  const Converted converted = Utf8ToSingleByte(text.data(), 0, text.size(), Cp1252Part());
  EXPECT_EQ(text.substr(0, converted.length), GetParam().shown) << GetParam().what;
  EXPECT_EQ(converted.lossy, GetParam().lossy) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8Conversion,
    testing::Values(
        ConversionCase{"accents", "Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve, a longer line",
                       "Caf\xE9 \x96 na\xEFve, a longer line", false},
        ConversionCase{"not in the code page", "\xCE\xA9 x", "? x", true},
        ConversionCase{"beyond the plane",
                       "a\xF0\x9F\x98\x80"
                       "b",
                       "a?b", true},
        ConversionCase{"malformed bytes",
                       "a\x80\xC3"
                       "b",
                       "a??b", true},
        ConversionCase{"overlong", "a\xC0\xAF", "a??", true},
        ConversionCase{"a NUL ends it", std::string("abcdefgh\xC3\xA9\0zz", 13), "abcdefgh\xE9",
                       false},
        ConversionCase{"a NUL inside a word", std::string("abc\0defghijk", 12), "abc", false}));

TEST(Utf16Conversion, GivesTheCodePagesBytesInEitherByteOrder) {
  std::string little(
      "\xFF\xFE"
      "C\0a\0f\0\xE9\0 \0\x13\x20=\0\x3D\xD8\x00\xDE!\0\0\0x\0",
      26);
  Converted converted = Utf16ToSingleByte(little.data(), 2, little.size(), false, Cp1252Part());
  EXPECT_EQ(little.substr(0, converted.length), "Caf\xE9 \x96=?!");
  EXPECT_TRUE(converted.lossy);
  std::string big("\0C\0a\0\xE9z", 7);  // an odd last byte is no character
  converted = Utf16ToSingleByte(big.data(), 0, big.size(), true, Cp1252Part());
  EXPECT_EQ(big.substr(0, converted.length), "Ca\xE9");
  EXPECT_FALSE(converted.lossy);
}

// Text of no declared encoding: converted in one walk when all of it is UTF-8, else left as it
// was; the same outcome as deciding the encoding first and converting after.
struct OneWalkCase {
  const char* what;
  std::string bytes;
  std::optional<bool> lossy;  // none: not UTF-8, left as it was
  std::string shown;
};

class Utf8OneWalk : public testing::TestWithParam<OneWalkCase> {};

TEST_P(Utf8OneWalk, ConvertsOnlyWholeUtf8) {
  const OneWalkCase& c = GetParam();
  std::string text = c.bytes;
  EXPECT_EQ(Utf8ToSingleByteIfValid(text, Cp1252Part()), c.lossy) << c.what;
  EXPECT_EQ(text, c.lossy ? c.shown : c.bytes) << c.what;

  std::string twoWalks = c.bytes;
  if (DetectEncoding(twoWalks).kind == TextEncoding::Kind::Utf8) {
    twoWalks.resize(Utf8ToSingleByte(twoWalks.data(), 0, twoWalks.size(), Cp1252Part()).length);
  }
  EXPECT_EQ(text, twoWalks) << c.what;
}

const std::string kWords = "a longer run of words, over several words of eight bytes ";
// Eight in a row: the text written is a word behind the text read.
const std::string kAccents = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8OneWalk,
    testing::Values(
        OneWalkCase{"accents", "Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve", false,
                    "Caf\xE9 \x96 na\xEFve"},
        OneWalkCase{"long", kWords + "\xC3\xA9" + kWords + "\xC3\xAF" + kWords, false,
                    kWords + "\xE9" + kWords + "\xEF" + kWords},
        OneWalkCase{"not in the code page", "x \xCE\xA9 \xF0\x9F\x98\x80", true, "x ? ?"},
        OneWalkCase{"invalid at the start", "\xE9t\xE9 " + kWords, std::nullopt, ""},
        OneWalkCase{"invalid in the middle",
                    kWords + "\xC3\xA9" + kWords + "\xE9t\xE9" + kWords + "\xC3\xA9", std::nullopt,
                    ""},
        OneWalkCase{"cut off at the end", kWords + "\xC3\xA9" + kWords + "\xE2\x80", std::nullopt,
                    ""},
        OneWalkCase{"overlong at the end", kWords + "\xC3\xA9\xC0\xAF", std::nullopt, ""},
        OneWalkCase{"a NUL ends what is shown", std::string("\xC3\xA9t\xC3\xA9\0\xC3\xA9", 9),
                    false, "\xE9t\xE9"},
        OneWalkCase{"invalid after a NUL", std::string("\xC3\xA9t\xC3\xA9\0\xE9", 8), std::nullopt,
                    ""},
        OneWalkCase{"a NUL among plain letters",
                    std::string("\xC3\xA9"
                                "abc\0defghijk\xC3\xA9",
                                17),
                    false,
                    "\xE9"
                    "abc"},
        OneWalkCase{"a NUL before the first accent", std::string("ab\0c\xC3\xA9", 6), false, "ab"},
        OneWalkCase{"invalid after a NUL before the first accent",
                    std::string("ab\0c\xC3\xA9\xFF", 7), std::nullopt, ""},
        OneWalkCase{"invalid after dashes", "\xE2\x80\x93" + kWords + "\xC3\xAF\xE2\x80\x93\xFF",
                    std::nullopt, ""},
        OneWalkCase{"invalid after a character not in the code page",
                    "\xC3\xA9 \xCE\xA9" + kWords + "\xC3\xA9\xFF", std::nullopt, ""},
        OneWalkCase{"invalid after a NUL after a character not in the code page",
                    std::string("\xC3\xA9\xCE\xA9\0\xFF", 7), std::nullopt, ""},
        OneWalkCase{"plain words among accents close together",
                    kAccents + kWords +
                        "\xC3\xA9"
                        "a\xC3\xA9" +
                        kWords,
                    false,
                    "\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9" + kWords +
                        "\xE9"
                        "a\xE9" +
                        kWords}),
    testing_names::FromWhat());

// A code page whose bytes do not each tell one character: two characters share a byte, and one
// becomes a plain letter; and a character of three bytes. Text found invalid after them is still
// left exactly as it was.
const SingleByteTable& SharedBytes() {
  static const auto table = [] {
    auto built = std::make_unique<SingleByteTable>(Cp1252Part());
    (*built)[0xE8] = 0xE9;
    (*built)[0x3A9] = 'O';
    (*built)[0x3042] = 0xA4;
    return built;
  }();
  return *table;
}

struct SharedCase {
  const char* what;
  std::string bytes;
  std::optional<std::string> shown;  // none: not UTF-8, left as it was
};

class Utf8SharedBytes : public testing::TestWithParam<SharedCase> {};

TEST_P(Utf8SharedBytes, LeavesInvalidTextAsItWas) {
  std::string text = GetParam().bytes;
  const std::optional<bool> lossy = Utf8ToSingleByteIfValid(text, SharedBytes());
  EXPECT_EQ(lossy.has_value(), GetParam().shown.has_value());
  EXPECT_EQ(text, GetParam().shown.value_or(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8SharedBytes,
    testing::Values(SharedCase{"valid", "\xC3\xA8 \xCE\xA9 \xC3\xA9", "\xE9 O \xE9"},
                    SharedCase{"a shared byte", "\xC3\xA9" + kWords + "\xFF", std::nullopt},
                    SharedCase{"the other character of it", "\xC3\xA8" + kWords + "\xC3\xA9\xFF",
                               std::nullopt},
                    SharedCase{"three bytes", "\xE3\x81\x82" + kWords + "\xFF", std::nullopt},
                    SharedCase{"a plain letter", "\xCE\xA9" + kWords + "\xFF", std::nullopt}),
    testing_names::FromWhat());

TEST(MayBeUtf8, OnlyWhenTheFirstHighByteBeginsASequence) {
  EXPECT_TRUE(MayBeUtf8(kWords + "\xC3\xA9\xFF"));
  EXPECT_FALSE(MayBeUtf8(kWords + "\xE9t\xC3\xA9"));
  EXPECT_FALSE(MayBeUtf8(kWords));
}

}  // namespace
}  // namespace core
