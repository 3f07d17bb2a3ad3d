#include "core/feed/HtmlText.h"

#include <gtest/gtest.h>

#include "TestNames.h"

#include <string>

namespace core {
namespace {

struct ReferenceCase {
  const char* what;
  std::string html;
  std::string decoded;  // UTF-8
};

void PrintTo(const ReferenceCase& row, std::ostream* out) {
  *out << row.what;
}

class HtmlNumericReferences : public testing::TestWithParam<ReferenceCase> {};

TEST_P(HtmlNumericReferences, ReadTheC1RangeAsWindows1252) {
  std::string text = GetParam().html;
  DecodeHtmlReferences(text);
  EXPECT_EQ(text, GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HtmlNumericReferences,
    testing::Values(ReferenceCase{"127 just below stays DEL", "&#127;", "\x7F"},
                    ReferenceCase{"128 the first is the euro sign", "&#128;", "\u20AC"},
                    ReferenceCase{"129 undefined stays a control", "&#129;", "\xC2\x81"},
                    ReferenceCase{"157 undefined near the end stays a control", "&#157;",
                                  "\xC2\x9D"},
                    ReferenceCase{"159 the last is Y with diaeresis", "&#159;", "\u0178"},
                    ReferenceCase{"160 just above stays the no-break space", "&#160;", "\u00A0"},
                    ReferenceCase{"hex", "&#x96;", "\u2013"},
                    ReferenceCase{"hex with a capital x and leading zeros", "&#X0085;", "\u2026"},
                    ReferenceCase{"among text", "It&#146;s 9&#150;5", "It\u2019s 9\u20135"}),
    testing_names::FromWhat());

}  // namespace
}  // namespace core
