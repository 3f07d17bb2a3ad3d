#include "core/text/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace core {
namespace {

using Lines = std::vector<std::string>;

Lines Copied(const std::vector<std::string_view>& views) {
  return {views.begin(), views.end()};
}

struct SplitCase {
  const char* name;
  std::string bytes;
  Lines lines;
};

class SplitsLines : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitsLines, AtEveryKindOfBreak) {
  EXPECT_EQ(Copied(SplitLines(GetParam().bytes)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitsLines,
    testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"OnlyABreakIsOneEmptyLine", "\n", {""}},
                    SplitCase{"MixedBreaks", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
                    SplitCase{"OnlyTheLastBreakAddsNoLine", "a\r\n\r\n", {"a", ""}},
                    // CR ends a line on its own; only the CR right before LF pairs with it.
                    SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                    SplitCase{"NulEndsTheText", std::string("a\nb\0c\nd", 7), {"a", "b"}},
                    SplitCase{"NulAfterABreak", std::string("a\n\0b", 4), {"a"}},
                    SplitCase{"HighBytesKept", "\x80\xFF\n\xE9t\xE9", {"\x80\xFF", "\xE9t\xE9"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

// The scan reads whole words; a byte-by-byte reading is the reference for every place a break
// can fall within them, next to bytes that share its low bits or are below 14 too.
Lines SplitByteByByte(const std::string& bytes) {
  Lines lines(1);
  for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') {
      lines.back() += bytes[i];
    } else {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      lines.emplace_back();
    }
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

TEST(SplitLines, FindsABreakAtEveryPlaceInAWord) {
  for (const char filler : {'a', '\t', '\x8D', '\x8A', '\x80', '\xFF'}) {
    for (const char* brk : {"\n", "\r", "\r\n", "\0"}) {
      for (std::size_t at = 0; at < 40; ++at) {
        std::string bytes(40, filler);
        bytes.replace(at, 1, std::string(brk, std::max<std::size_t>(1, std::strlen(brk))));
        bytes += "tail";
        EXPECT_EQ(Copied(SplitLines(bytes)), SplitByteByByte(bytes))
            << "filler " << int(filler) << " break at " << at;
      }
    }
  }
}

TEST(TextLines, KnowsItIsEmptyWithoutSplitting) {
  EXPECT_TRUE(TextLines().Empty());
  EXPECT_TRUE(TextLines(std::string("\0a\n", 3)).Empty());
  EXPECT_FALSE(TextLines(std::string("\n")).Empty());
  EXPECT_FALSE(TextLines::OneLine("").Empty());
}

TEST(TextLines, LinesStayValidWhenMovedAndGoWhenCleared) {
  TextLines first(std::string("a\rb"));  // short enough to live inside a string object
  first.Lines();
  TextLines second(std::move(first));
  EXPECT_EQ(Copied(second.Lines()), (Lines{"a", "b"}));
  second = TextLines::OneLine("x\ny");  // one line as it is, however short
  EXPECT_EQ(Copied(second.Lines()), Lines{"x\ny"});
  second.Clear();
  EXPECT_TRUE(second.Empty());
}

}  // namespace
}  // namespace core
