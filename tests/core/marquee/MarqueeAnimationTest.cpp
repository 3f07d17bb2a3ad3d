#include "core/marquee/MarqueeAnimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace core {
namespace {

// Characters 10 pixels wide, '|' without width; lines 16 high. Counts widths of `watched`.
class FixedWidth : public TextMeasurer {
 public:
  int Width(std::u16string_view text) override {
    if (text == watched) ++watchedWidths;
    return 10 * static_cast<int>(text.size() - std::count(text.begin(), text.end(), u'|'));
  }
  int Height(std::u16string_view text) override { return text.empty() ? 0 : 16; }

  std::u16string watched = u"-";
  int watchedWidths = 0;
};

using Shown = std::pair<std::u16string, int>;  // the characters drawn and their x

Shown Of(const MarqueeFrame& frame) {
  return {std::u16string(frame.text), frame.x};
}

MarqueeAnimation Make(TScrollStyle style, std::u16string_view text, int width, int amount) {
  MarqueeAnimation animation;
  animation.SetScrollStyle(style);
  animation.SetClientWidth(width);
  animation.SetScrollAmount(ToScrollAmount(amount));
  animation.SetText(text);
  return animation;
}

constexpr auto kScroll = TScrollStyle::ssScroll;
constexpr auto kBlink = TScrollStyle::ssBlink;
constexpr auto kBounce = TScrollStyle::ssBounce;
constexpr const char16_t* kFifteen = u"abcdefghijklmno";

struct FrameCase {
  TScrollStyle style;
  std::u16string text;
  int amount;
  bool continuous;
  int tick;  // 1-based, of a fresh run at width 100
  Shown shown;
};

class MarqueeFrames : public testing::TestWithParam<FrameCase> {};

TEST_P(MarqueeFrames, ShowTheCharactersAtTheirPlace) {
  const FrameCase& c = GetParam();
  MarqueeAnimation animation = Make(c.style, c.text, 100, c.amount);
  animation.SetContinuous(c.continuous);
  FixedWidth measurer;
  MarqueeFrame frame;
  for (int tick = 0; tick < c.tick; ++tick) frame = animation.Tick(measurer);
  EXPECT_EQ(Of(frame), c.shown) << "tick " << c.tick;
}

INSTANTIATE_TEST_SUITE_P(
    Scroll, MarqueeFrames,
    testing::Values(
        // One pixel of the first character enters; the second follows once the first is in.
        FrameCase{kScroll, kFifteen, 1, false, 1, {u"a", 99}},
        FrameCase{kScroll, kFifteen, 1, false, 11, {u"ab", 89}},
        // The first character leaves as its right edge reaches the left edge.
        FrameCase{kScroll, kFifteen, 1, false, 110, {u"bcdefghijk", 0}},
        FrameCase{kScroll, kFifteen, 1, false, 249, {u"o", -9}},
        // All gone: the text enters again from the right edge.
        FrameCase{kScroll, kFifteen, 1, false, 250, {u"a", 99}},
        // A step wider than several characters drops four at once.
        FrameCase{kScroll, u"abcdefghijklmnopqrst", 35, false, 3, {u"abcdefghijk", -5}},
        FrameCase{kScroll, u"abcdefghijklmnopqrst", 35, false, 4, {u"efghijklmn", 0}},
        // Continuous: the start follows the end without a gap.
        FrameCase{kScroll, u"abc", 1, true, 31, {u"abca", 69}},
        FrameCase{kScroll, u"abc", 1, true, 110, {u"bcabcabcab", 0}},
        // A character beyond the first plane comes and goes whole, never half a surrogate pair.
        FrameCase{kScroll, u"\U0001F600bc", 1, false, 1, {u"\U0001F600", 99}},
        FrameCase{kScroll, u"\U0001F600bc", 1, false, 110, {u"\U0001F600bc", -10}},
        // Twenty pixels each: at tick 120 the first has just left, and its low half with it.
        FrameCase{kScroll,
                  u"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600",
                  1,
                  false,
                  120,
                  {u"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600", 0}}));

INSTANTIATE_TEST_SUITE_P(
    BounceLongText, MarqueeFrames,
    testing::Values(FrameCase{kBounce, kFifteen, 10, false, 10, {u"abcdefghij", 0}},
                    // The first character stays until its right edge is past the left edge.
                    FrameCase{kBounce, kFifteen, 10, false, 11, {u"abcdefghijk", -10}},
                    // The end is inside: turn.
                    FrameCase{kBounce, kFifteen, 10, false, 16, {u"fghijklmno", -10}},
                    FrameCase{kBounce, kFifteen, 10, false, 18, {u"efghijklmno", 0}},
                    // The start is inside: turn again.
                    FrameCase{kBounce, kFifteen, 10, false, 23, {u"abcdefghij", 10}},
                    FrameCase{kBounce, kFifteen, 10, false, 25, {u"abcdefghijk", -10}}));

TEST(MarqueeScroll, ReentryRepaintsTheClientArea) {
  MarqueeAnimation animation = Make(kScroll, u"abc", 100, 10);
  FixedWidth measurer;
  for (int tick = 1; tick <= 13; ++tick)
    EXPECT_EQ(animation.Tick(measurer).fillClient, tick % 12 == 1);
}

TEST(MarqueeScroll, ContinuousTextWithoutWidthDoesNotAppendForever) {
  MarqueeAnimation animation = Make(kScroll, u"||", 100, 1);
  animation.SetContinuous(true);
  FixedWidth measurer;
  for (int tick = 0; tick < 300; ++tick) ASSERT_LE(animation.Tick(measurer).text.size(), 2U);
}

TEST(MarqueeBlink, CutsToTheWidthOnlyAtARestartCentresAndAlternates) {
  MarqueeAnimation animation = Make(kBlink, u"abcdefghijklmnop", 95, 1);
  FixedWidth measurer;
  EXPECT_EQ(Of(animation.Tick(measurer)), Shown(u"abcdefghi", 2));
  const MarqueeFrame blank = animation.Tick(measurer);
  EXPECT_TRUE(blank.copyBand && blank.text.empty());
  EXPECT_EQ(animation.CurrentOutput(MarqueeTimer::kRunning), u"abcdefghi");
  EXPECT_EQ(Of(animation.Tick(measurer)), Shown(u"abcdefghi", 2));

  animation.SetClientWidth(50);
  animation.Animate(measurer, MarqueeRestart::kContinue, MarqueePrepare::kPrepare);
  EXPECT_EQ(Of(animation.Tick(measurer)), Shown(u"abcdefghi", -20));
  EXPECT_EQ(Of(animation.Animate(measurer, MarqueeRestart::kRestart, MarqueePrepare::kKeepBand)),
            Shown(u"abcde", 0));
}

class MarqueeBounceFitting : public testing::TestWithParam<int> {};

TEST_P(MarqueeBounceFitting, StepsByTheAmountBothWaysAndTurnsExactlyAtBothEdges) {
  const int amount = GetParam();
  MarqueeAnimation animation = Make(kBounce, u"abc", 100, amount);
  FixedWidth measurer;
  std::vector<int> xs{100};  // a run enters from the right edge
  xs.reserve(301);
  for (int tick = 0; tick < 300; ++tick) xs.push_back(animation.Tick(measurer).x);
  const auto firstAtLeft = std::find(xs.begin(), xs.end(), 0);
  ASSERT_EQ(firstAtLeft - xs.begin(), (100 + amount - 1) / amount);
  for (auto x = xs.begin(); x + 1 != xs.end(); ++x) {
    // A whole step, or a shorter one that ends at an edge: x = 0 or x = 100 - 30.
    const int step = std::abs(x[1] - x[0]);
    ASSERT_TRUE(step == amount || (step < amount && (x[1] == 0 || x[1] == 70)))
        << x[0] << " to " << x[1];
  }
  int rightSteps = 0;
  for (auto x = firstAtLeft; x + 2 != xs.end(); ++x) {
    ASSERT_TRUE(x[0] >= 0 && x[0] <= 70) << x[0];
    const bool turns = (x[1] > x[0]) != (x[2] > x[1]);
    ASSERT_TRUE(!turns || x[1] == 0 || x[1] == 70) << x[1];
    if (x[1] > x[0]) ++rightSteps;
  }
  EXPECT_GT(rightSteps, 0);
}

INSTANTIATE_TEST_SUITE_P(Amounts, MarqueeBounceFitting, testing::Values(1, 3, 7, 13, 100));

TEST(MarqueeBounce, TextThatStopsFittingGoesOnWithoutRepeatingItsStart) {
  MarqueeAnimation animation = Make(kBounce, u"abcdef", 100, 7);
  FixedWidth measurer;
  for (int tick = 0; tick < 5; ++tick) animation.Tick(measurer);
  animation.SetClientWidth(25);
  for (int tick = 0; tick < 200; ++tick) {
    const std::u16string shown(animation.Tick(measurer).text);
    ASSERT_NE(std::u16string(u"abcdef").find(shown), std::u16string::npos)
        << testing::PrintToString(shown);
  }
}

TEST(MarqueeBounce, MeasuresTheWholeTextOncePerTextAndFont) {
  MarqueeAnimation animation = Make(kBounce, u"abcdefghijklmnopqrstuvwxyz0123", 100, 3);
  FixedWidth measurer;
  measurer.watched = animation.Text();
  for (int tick = 0; tick < 300; ++tick) animation.Tick(measurer);
  EXPECT_EQ(measurer.watchedWidths, 1);
  animation.InvalidateMeasures();
  animation.Tick(measurer);
  EXPECT_EQ(measurer.watchedWidths, 2);
}

class MarqueeEveryStyle : public testing::TestWithParam<TScrollStyle> {};

TEST_P(MarqueeEveryStyle, EmptyTextCopiesNothingAndNoWidthShowsNothingLasting) {
  MarqueeAnimation empty = Make(GetParam(), u"", 100, 1);
  MarqueeAnimation narrow = Make(GetParam(), kFifteen, 0, 1);
  FixedWidth measurer;
  for (int tick = 0; tick < 400; ++tick) {
    ASSERT_FALSE(empty.Tick(measurer).copyBand);
    ASSERT_LE(narrow.Tick(measurer).text.size(), 2U);
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, MarqueeEveryStyle, testing::Values(kScroll, kBlink, kBounce));

TEST(MarqueeAnimation, FirstTickOfARunPreparesAndRestartsTheOthersStep) {
  MarqueeAnimation animation = Make(kScroll, u"abc", 100, 1);
  FixedWidth measurer;
  const MarqueeFrame first = animation.Tick(measurer);
  EXPECT_TRUE(first.fillClient && first.resizeBand && first.copyBand);
  EXPECT_EQ(animation.BandHeight(), 16);
  const MarqueeFrame second = animation.Tick(measurer);
  EXPECT_FALSE(second.fillClient || second.resizeBand);
  // A new size or font keeps the position.
  EXPECT_EQ(animation.Animate(measurer, MarqueeRestart::kContinue, MarqueePrepare::kPrepare).x, 97);
  animation.EndRun();  // Active off and on
  EXPECT_EQ(animation.Tick(measurer).x, 99);
  EXPECT_EQ(animation.CurrentOutput(MarqueeTimer::kStopped), u"");
}

TEST(MarqueeAnimation, SameTextChangesNothingAndANewTextStartsOver) {
  MarqueeAnimation animation = Make(kScroll, u"a\tb", 100, 1);
  FixedWidth measurer;
  EXPECT_EQ(animation.Text(), u"a b");
  animation.Tick(measurer);
  EXPECT_FALSE(animation.SetText(u"a b"));
  EXPECT_EQ(animation.Tick(measurer).x, 98);
  EXPECT_TRUE(animation.SetText(u"a\tb"));  // compared before stripping
  EXPECT_EQ(animation.Tick(measurer).x, 99);
}

TEST(MarqueeAnimation, ATakenTextCountsAsChangedOnlyWhenTheKeptTextDiffers) {
  MarqueeAnimation animation = Make(kScroll, u"a b ", 100, 1);
  const auto same = animation.TakeText(u"a\tb ");  // another raw text, the same kept one
  EXPECT_TRUE(same.restarted);
  EXPECT_FALSE(same.storedChanged);
  const auto other = animation.TakeText(u"a\tc ");
  EXPECT_TRUE(other.storedChanged);
  EXPECT_EQ(animation.Text(), u"a c ");
  EXPECT_FALSE(animation.TakeText(u"a c ").restarted);
  EXPECT_TRUE(animation.TakeText(u"").storedChanged);
}

TEST(MarqueeAnimation, ControlCodeOptionsApplyToTheNextTextOrAtOnce) {
  MarqueeAnimation animation;
  EXPECT_FALSE(animation.SetNewControlCode('\t'));
  EXPECT_TRUE(animation.SetNewControlCode('*'));
  animation.SetText(u"a\tb");
  EXPECT_EQ(animation.Text(), u"a*b");
  animation.SetStripControlCodes(false);
  animation.SetText(u"c\td");
  EXPECT_EQ(animation.Text(), u"c\td");
  EXPECT_TRUE(animation.SetNewControlCode('\0'));
  animation.SetStripControlCodes(true);
  EXPECT_EQ(animation.Text(), u"c d");
  EXPECT_EQ(ToScrollAmount(257), 1);  // and ScrollAmount wraps as a byte
}

}  // namespace
}  // namespace core
