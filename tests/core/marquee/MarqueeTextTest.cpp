#include "core/marquee/MarqueeText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace core {
namespace {

// Characters 10 pixels wide, '|' without width; lines 16 high.
class FixedWidth : public TextMeasurer {
 public:
  int Width(std::string_view text) override {
    return 10 * static_cast<int>(text.size() - std::count(text.begin(), text.end(), '|'));
  }
  int Height(std::string_view text) override { return text.empty() ? 0 : 16; }
};

struct StripCase {
  std::string text;
  char code;
  std::string stripped;
};

class StripsControlCodes : public testing::TestWithParam<StripCase> {};

TEST_P(StripsControlCodes, ReplacesBytesBelowBlankAndKeepsTheLength) {
  EXPECT_EQ(StripCodes(GetParam().text, GetParam().code), GetParam().stripped);
}

INSTANTIATE_TEST_SUITE_P(Table, StripsControlCodes,
                         testing::Values(StripCase{"a\tb\r\n", '*', "a*b**"},
                                         StripCase{"a\tb", '\0', "a b"},
                                         StripCase{std::string("a\0b", 3), '_', "a_b"},
                                         StripCase{"\x01\x1f", '\0', "  "},
                                         StripCase{" ~\x7f\x80\xff", '*', " ~\x7f\x80\xff"},
                                         StripCase{"", '*', ""}));

struct StartCase {
  std::string text;
  int width;
  std::size_t longestWithin;  // blink's cut
  std::string still;          // the paint handler's characters
};

class MeasuresStartsOfTheText : public testing::TestWithParam<StartCase> {};

TEST_P(MeasuresStartsOfTheText, CutsForBlinkAndReachesTheEdgeForTheStillPicture) {
  FixedWidth measurer;
  const StartCase& c = GetParam();
  EXPECT_EQ(LongestStartWithin(measurer, c.text, c.width), c.longestWithin);
  EXPECT_EQ(StillPicture(measurer, c.text, c.width, 21, MarqueeCentering::kTop).text, c.still);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MeasuresStartsOfTheText,
    testing::Values(StartCase{"abcdefghijklmnop", 95, 9, "abcdefghij"},
                    StartCase{"abcdefghijklmnop", 100, 10, "abcdefghij"},
                    StartCase{"abc", 100, 3, "abc"}, StartCase{"abc", 0, 0, ""},
                    StartCase{"", 100, 0, ""}, StartCase{"ab||cd", 20, 4, "ab"},
                    StartCase{std::string(5000, 'x'), 1024, 102, std::string(103, 'x')}));

TEST(MarqueeHeights, FitAddsTwoAndTheStillPictureCentresOnWhatItShows) {
  FixedWidth measurer;
  EXPECT_EQ(FitHeight(measurer, "abc"), 18);
  EXPECT_EQ(FitHeight(measurer, ""), 18);  // measures "Xg"
  EXPECT_EQ(StillPicture(measurer, "abc", 100, 21, MarqueeCentering::kCentered).y, 2);
  EXPECT_EQ(StillPicture(measurer, "abc", 100, 21, MarqueeCentering::kTop).y, 0);
}

}  // namespace
}  // namespace core
