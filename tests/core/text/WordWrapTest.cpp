#include "core/text/WordWrap.h"

#include <gtest/gtest.h>

#include "TestNames.h"

namespace core {
namespace {

// Every character 10 pixels wide.
class FixedWidth : public TextMeasurer {
 public:
  int Width(std::u16string_view text) override { return static_cast<int>(text.size()) * 10; }
  int Height(std::u16string_view) override { return 12; }
};

struct WrapCase {
  std::u16string paragraph;
  int width;
  std::vector<std::u16string_view> lines;
};

class WrapsAParagraph : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapsAParagraph, AtTheLastBlankThatFits) {
  FixedWidth measurer;
  EXPECT_EQ(WrapParagraph(measurer, GetParam().paragraph, GetParam().width), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WrapsAParagraph,
    testing::Values(WrapCase{u"", 100, {u""}}, WrapCase{u"short", 100, {u"short"}},
                    WrapCase{u"one two three", 80, {u"one two ", u"three"}},
                    WrapCase{u"one   two", 50, {u"one   ", u"two"}},
                    WrapCase{u"abcdefghijkl", 50, {u"abcde", u"fghij", u"kl"}},
                    WrapCase{u"ab cdefghijkl", 50, {u"ab ", u"cdefg", u"hijkl"}},
                    WrapCase{u"abc", 0, {u"a", u"b", u"c"}}));

struct WholeCase {
  const char* what;
  std::u16string paragraph;
  int width;
  std::vector<std::u16string_view> lines;
};

void PrintTo(const WholeCase& row, std::ostream* out) {
  *out << row.what;
}

class WrapsAWordBetweenWholeCharacters : public testing::TestWithParam<WholeCase> {};

TEST_P(WrapsAWordBetweenWholeCharacters, NeverInsideOne) {
  FixedWidth measurer;
  EXPECT_EQ(WrapParagraph(measurer, GetParam().paragraph, GetParam().width), GetParam().lines);
}

// Each unit is 10 pixels wide, so a surrogate pair is 20 and a mark 10 more.
INSTANTIATE_TEST_SUITE_P(
    Table, WrapsAWordBetweenWholeCharacters,
    testing::Values(
        WholeCase{"a surrogate pair", u"ab\U0001F600cd", 30, {u"ab", u"\U0001F600c", u"d"}},
        WholeCase{"a combining mark", u"cafe\u0301s", 40, {u"caf", u"e\u0301s"}},
        WholeCase{"an emoji's variation selector",
                  u"ab\u2764\uFE0Fcd",
                  30,
                  {u"ab", u"\u2764\uFE0Fc", u"d"}},
        WholeCase{"a skin tone beyond the first plane",
                  u"a\U0001F44D\U0001F3FDb",
                  40,
                  {u"a", u"\U0001F44D\U0001F3FD", u"b"}},
        WholeCase{"a joiner keeps what follows",
                  u"a\U0001F468\u200D\U0001F469b",
                  40,
                  {u"a", u"\U0001F468\u200D\U0001F469", u"b"}},
        WholeCase{
            "less than a character wide", u"\U0001F600e\u0301", 0, {u"\U0001F600", u"e\u0301"}},
        WholeCase{"a mark on a blank stays with it", u"ab \u0301cd", 40, {u"ab \u0301", u"cd"}}),
    testing_names::FromWhat());

TEST(DisplayLines, WrapsEachParagraphOfTheShownLines) {
  FixedWidth measurer;
  DisplayLines lines;
  lines.SetLines(TextLines(u"first line\r\nsecond\r\n"));
  EXPECT_EQ(lines.ParagraphCount(), 2u);
  EXPECT_EQ(lines.Wrap(measurer, 60),
            (std::vector<std::u16string_view>{u"first ", u"line", u"second"}));
  lines.Clear();
  EXPECT_EQ(lines.ParagraphCount(), 0u);
}

}  // namespace
}  // namespace core
