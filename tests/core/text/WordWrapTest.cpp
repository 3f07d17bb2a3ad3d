#include "core/text/WordWrap.h"

#include <gtest/gtest.h>

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
