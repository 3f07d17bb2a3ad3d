#include "core/text/WordWrap.h"

#include <gtest/gtest.h>

namespace core {
namespace {

// Every character 10 pixels wide.
class FixedWidth : public TextMeasurer {
 public:
  int Width(std::string_view text) override { return static_cast<int>(text.size()) * 10; }
  int Height(std::string_view) override { return 12; }
};

struct WrapCase {
  std::string paragraph;
  int width;
  std::vector<std::string_view> lines;
};

class WrapsAParagraph : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapsAParagraph, AtTheLastBlankThatFits) {
  FixedWidth measurer;
  EXPECT_EQ(WrapParagraph(measurer, GetParam().paragraph, GetParam().width), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Table, WrapsAParagraph,
                         testing::Values(WrapCase{"", 100, {""}}, WrapCase{"short", 100, {"short"}},
                                         WrapCase{"one two three", 80, {"one two ", "three"}},
                                         WrapCase{"one   two", 50, {"one   ", "two"}},
                                         WrapCase{"abcdefghijkl", 50, {"abcde", "fghij", "kl"}},
                                         WrapCase{"ab cdefghijkl", 50, {"ab ", "cdefg", "hijkl"}},
                                         WrapCase{"abc", 0, {"a", "b", "c"}}));

TEST(DisplayLines, WrapsEachParagraphOfTheShownLines) {
  FixedWidth measurer;
  DisplayLines lines;
  lines.SetLines(TextLines("first line\r\nsecond\r\n"));
  EXPECT_EQ(lines.ParagraphCount(), 2u);
  EXPECT_EQ(lines.Wrap(measurer, 60), (std::vector<std::string_view>{"first ", "line", "second"}));
  lines.Clear();
  EXPECT_EQ(lines.ParagraphCount(), 0u);
}

}  // namespace
}  // namespace core
