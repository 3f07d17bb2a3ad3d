#include "core/text/TextEncoding.h"

#include <gtest/gtest.h>

#include "TestNames.h"

#include <string>

namespace core {
namespace {

using Kind = TextEncoding::Kind;

struct DetectionCase {
  const char* what;
  std::string bytes;
  TextEncoding encoding;
};

class EncodingDetection : public testing::TestWithParam<DetectionCase> {};

TEST_P(EncodingDetection, DecidesFromTheBytes) {
  EXPECT_EQ(DetectEncoding(GetParam().bytes), GetParam().encoding) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EncodingDetection,
    testing::Values(
        DetectionCase{"ascii", "plain news\r\n", {}}, DetectionCase{"empty", "", {}},
        DetectionCase{"utf-8 mark", "\xEF\xBB\xBFnews", {Kind::Utf8, 0, 3}},
        DetectionCase{"utf-16 le mark", std::string("\xFF\xFEn\0", 4), {Kind::Utf16LE, 0, 2}},
        DetectionCase{"utf-16 be mark", std::string("\xFE\xFF\0n", 4), {Kind::Utf16BE, 0, 2}},
        DetectionCase{
            "utf-16 odd byte count", std::string("\xFF\xFEn\0x", 5), {Kind::Utf16LE, 0, 2}},
        DetectionCase{"utf-8 accents", "Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve", {Kind::Utf8, 0, 0}},
        DetectionCase{"utf-8 four bytes", "a\xF0\x9F\x98\x80", {Kind::Utf8, 0, 0}},
        DetectionCase{"cp1252, not utf-8", "Caf\xE9 \x96 na\xEFve", {}},
        DetectionCase{"overlong slash", "a\xC0\xAF", {}},
        DetectionCase{"overlong three bytes", "a\xE0\x80\xAF", {}},
        DetectionCase{"surrogate", "a\xED\xA0\x80", {}},
        DetectionCase{"beyond U+10FFFF", "a\xF4\x90\x80\x80", {}},
        DetectionCase{"lone continuation", "ab\x80 cd", {}},
        DetectionCase{"cut off at the end", "Caf\xC3", {}},
        DetectionCase{
            "long ascii then utf-8", std::string(100, 'a') + "\xC3\xA9", {Kind::Utf8, 0, 0}}),
    testing_names::FromWhat());

struct DeclaredCase {
  const char* contentType;
  std::string bytes;
  TextEncoding encoding;
};

class DeclaredEncoding : public testing::TestWithParam<DeclaredCase> {};

TEST_P(DeclaredEncoding, TheCharsetDecidesBeforeTheBytes) {
  EXPECT_EQ(EncodingOf(GetParam().bytes, EncodingOfContentType(GetParam().contentType)),
            GetParam().encoding)
      << GetParam().contentType;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeclaredEncoding,
    testing::Values(
        DeclaredCase{"text/plain; charset=UTF-8", "Caf\xE9", {Kind::Utf8, 0, 0}},
        DeclaredCase{"text/plain;charset=\"utf-8\"", "\xEF\xBB\xBFx", {Kind::Utf8, 0, 3}},
        DeclaredCase{"text/plain; charset=iso-8859-1", "Caf\xC3\xA9", {Kind::CodePage, 28591, 0}},
        DeclaredCase{"text/plain; charset=windows-1251", "x", {Kind::CodePage, 1251, 0}},
        DeclaredCase{
            "text/plain; charset=utf-16", std::string("\xFE\xFF\0x", 4), {Kind::Utf16BE, 0, 2}},
        DeclaredCase{"text/plain; charset=utf-16", std::string("x\0", 2), {Kind::Utf16LE, 0, 0}},
        // Nothing understood: the bytes decide.
        DeclaredCase{"text/plain", "Caf\xC3\xA9", {Kind::Utf8, 0, 0}},
        DeclaredCase{"text/plain; charset=koi8-r", "abc", {}}));

}  // namespace
}  // namespace core
