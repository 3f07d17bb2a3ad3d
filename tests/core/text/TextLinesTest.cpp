#include "core/text/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace core {
namespace {

using Lines = std::vector<std::u16string>;

Lines Copied(const std::vector<std::u16string_view>& views) {
  return {views.begin(), views.end()};
}

struct SplitCase {
  const char* name;
  std::u16string bytes;
  Lines lines;
};

class SplitsLines : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitsLines, AtEveryKindOfBreak) {
  EXPECT_EQ(Copied(SplitLines(GetParam().bytes)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitsLines,
    testing::Values(SplitCase{"Empty", u"", {}},
                    SplitCase{"OnlyABreakIsOneEmptyLine", u"\n", {u""}},
                    SplitCase{"MixedBreaks", u"a\r\nb\rc\nd", {u"a", u"b", u"c", u"d"}},
                    SplitCase{"OnlyTheLastBreakAddsNoLine", u"a\r\n\r\n", {u"a", u""}},
                    // CR ends a line on its own; only the CR right before LF pairs with it.
                    SplitCase{"CrCrLf", u"a\r\r\nb", {u"a", u"", u"b"}},
                    SplitCase{"NulEndsTheText", std::u16string(u"a\nb\0c\nd", 7), {u"a", u"b"}},
                    SplitCase{"NulAfterABreak", std::u16string(u"a\n\0b", 4), {u"a"}},
                    SplitCase{
                        "HighBytesKept", u"\x80\xFF\n\xE9t\xE9", {u"\x80\xFF", u"\xE9t\xE9"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

// The scan reads whole words; a unit-by-unit reading is the reference for every place a break
// can fall within them, next to units that share its low bits or are below 14 too.
Lines SplitUnitByUnit(const std::u16string& bytes) {
  Lines lines(1);
  for (std::size_t i = 0; i < bytes.size() && bytes[i] != u'\0'; ++i) {
    if (bytes[i] != u'\r' && bytes[i] != u'\n') {
      lines.back() += bytes[i];
    } else {
      if (bytes[i] == u'\r' && i + 1 < bytes.size() && bytes[i + 1] == u'\n') ++i;
      lines.emplace_back();
    }
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

TEST(SplitLines, FindsABreakAtEveryPlaceInAWord) {
  for (const char16_t filler : {u'a', u'\t', u'\x8D', u'\x10D', u'\x0A0A', u'\x8000', u'\xFFFF'}) {
    for (const char16_t* brk : {u"\n", u"\r", u"\r\n", u"\0"}) {
      for (std::size_t at = 0; at < 40; ++at) {
        std::u16string bytes(40, filler);
        bytes.replace(
            at, 1,
            std::u16string(brk, std::max<std::size_t>(1, std::char_traits<char16_t>::length(brk))));
        bytes += u"tail";
        EXPECT_EQ(Copied(SplitLines(bytes)), SplitUnitByUnit(bytes))
            << "filler " << int(filler) << " break at " << at;
      }
    }
  }
}

TEST(TextLines, KnowsItIsEmptyWithoutSplitting) {
  EXPECT_TRUE(TextLines().Empty());
  EXPECT_TRUE(TextLines(std::u16string(u"\0a\n", 3)).Empty());
  EXPECT_FALSE(TextLines(std::u16string(u"\n")).Empty());
  EXPECT_FALSE(TextLines::OneLine(u"").Empty());
}

TEST(TextLines, LinesStayValidWhenMovedAndGoWhenCleared) {
  TextLines first(std::u16string(u"a\rb"));  // short enough to live inside a string object
  first.Lines();
  TextLines second(std::move(first));
  EXPECT_EQ(Copied(second.Lines()), (Lines{u"a", u"b"}));
  second = TextLines::OneLine(u"x\ny");  // one line as it is, however short
  EXPECT_EQ(Copied(second.Lines()), Lines{u"x\ny"});
  second.Clear();
  EXPECT_TRUE(second.Empty());
}

}  // namespace
}  // namespace core
