#include "core/marquee/MarqueeText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace core {
namespace {

// Characters 10 pixels wide, '|' without width; lines 16 high.
class FixedWidth : public TextMeasurer {
 public:
  int Width(std::u16string_view text) override {
    return 10 * static_cast<int>(text.size() - std::count(text.begin(), text.end(), u'|'));
  }
  int Height(std::u16string_view text) override { return text.empty() ? 0 : 16; }
};

struct StripCase {
  std::u16string text;
  char code;
  std::u16string stripped;
};

class StripsControlCodes : public testing::TestWithParam<StripCase> {};

TEST_P(StripsControlCodes, ReplacesBytesBelowBlankAndKeepsTheLength) {
  EXPECT_EQ(StripCodes(GetParam().text, GetParam().code), GetParam().stripped);
}

INSTANTIATE_TEST_SUITE_P(Table, StripsControlCodes,
                         testing::Values(StripCase{u"a\tb\r\n", '*', u"a*b**"},
                                         StripCase{u"a\tb", '\0', u"a b"},
                                         StripCase{std::u16string(u"a\0b", 3), '_', u"a_b"},
                                         StripCase{u"\x01\x1f", '\0', u"  "},
                                         StripCase{u" ~\x7f\x80\xff", '*', u" ~\x7f\x80\xff"},
                                         StripCase{u"", '*', u""}));

struct StartCase {
  std::u16string text;
  int width;
  std::size_t longestWithin;  // blink's cut
  std::u16string still;       // the paint handler's characters
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
    testing::Values(StartCase{u"abcdefghijklmnop", 95, 9, u"abcdefghij"},
                    StartCase{u"abcdefghijklmnop", 100, 10, u"abcdefghij"},
                    StartCase{u"abc", 100, 3, u"abc"}, StartCase{u"abc", 0, 0, u""},
                    StartCase{u"", 100, 0, u""}, StartCase{u"ab||cd", 20, 4, u"ab"},
                    StartCase{std::u16string(5000, u'x'), 1024, 102, std::u16string(103, u'x')}));

TEST(MarqueeHeights, FitAddsTwoAndTheStillPictureCentresOnWhatItShows) {
  FixedWidth measurer;
  EXPECT_EQ(FitHeight(measurer, u"abc"), 18);
  EXPECT_EQ(FitHeight(measurer, u""), 18);  // measures "Xg"
  EXPECT_EQ(StillPicture(measurer, u"abc", 100, 21, MarqueeCentering::kCentered).y, 2);
  EXPECT_EQ(StillPicture(measurer, u"abc", 100, 21, MarqueeCentering::kTop).y, 0);
}

}  // namespace
}  // namespace core
