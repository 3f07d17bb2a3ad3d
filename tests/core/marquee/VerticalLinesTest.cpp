#include "core/marquee/VerticalLines.h"

#include "TestNames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {
namespace {

using Lines = std::vector<std::u16string_view>;

// Slides until the waiting label arrives: the steps it took. Bounded, so a stuck slide fails.
int Slide(VerticalLines& bar, std::int32_t amount) {
  int steps = 1;
  while (!bar.SlideStep(amount) && steps < 1000) ++steps;
  return steps;
}

// One line tick and its slide: the caption that arrived at the top.
std::u16string Tick(VerticalLines& bar, const Lines& lines) {
  bar.NextLine(lines);
  const VerticalLabel& arriving = bar.IncomingIsLabel2() ? bar.Label2() : bar.Label1();
  Slide(bar, 1);
  EXPECT_EQ(arriving.top, 0);
  return arriving.caption;
}

struct CycleRow {
  const char* what;
  Lines lines;
  std::vector<std::u16string> shown;
};

class LineCycle : public testing::TestWithParam<CycleRow> {};

TEST_P(LineCycle, ShowsTheLinesInTurn) {
  VerticalLines bar;
  bar.Layout(20);
  for (const std::u16string& expected : GetParam().shown)
    EXPECT_EQ(Tick(bar, GetParam().lines), expected);
}

INSTANTIATE_TEST_SUITE_P(
    VerticalLines, LineCycle,
    testing::Values(
        CycleRow{
            "Three lines come round again", {u"1", u"2", u"3"}, {u"1", u"2", u"3", u"1", u"2"}},
        CycleRow{"A trailing empty line is not counted", {u"a", u"b", u""}, {u"a", u"b", u"a"}},
        CycleRow{"No lines show an empty caption", {}, {u"", u""}},
        CycleRow{"One empty line shows an empty caption", {u""}, {u"", u""}}),
    testing_names::FromWhat{});

struct ArrivalRow {
  const char* what;
  std::int32_t height;
  std::int32_t amount;
  int steps;  // for the second line; the first arrives at once, both labels being at 0
};

class LineArrival : public testing::TestWithParam<ArrivalRow> {};

TEST_P(LineArrival, TakesTheStepsToCoverTheHeight) {
  VerticalLines bar;
  bar.Layout(GetParam().height);
  bar.NextLine(Lines{u"1", u"2"});
  EXPECT_EQ(Slide(bar, GetParam().amount), 1);
  bar.NextLine(Lines{u"1", u"2"});
  EXPECT_EQ(Slide(bar, GetParam().amount), GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    VerticalLines, LineArrival,
    testing::Values(ArrivalRow{"One at a time covers 20 in 20 steps", 20, 1, 20},
                    ArrivalRow{"Seven at a time covers 20 in 3 steps", 20, 7, 3},
                    ArrivalRow{"The full height arrives in one step", 20, 20, 1},
                    ArrivalRow{"More than the height arrives in one step", 20, 25, 1},
                    ArrivalRow{"Zero counts as one", 20, 0, 20},
                    ArrivalRow{"A negative amount counts as one", 3, -5, 3},
                    ArrivalRow{"The largest step covers the largest height", INT32_MAX, INT32_MAX,
                               1}),
    testing_names::FromWhat{});

TEST(VerticalLines, StartsWithTheGreetingAndLabel2Waiting) {
  const VerticalLines bar;
  EXPECT_EQ(bar.Label1().caption, u"Right click to see options.");
  EXPECT_EQ(bar.Label2().caption, u"Driftline from Quorvane");
  EXPECT_TRUE(bar.IncomingIsLabel2());
}

// A negative height counts as none: both labels then share the top, and Label1 is not below.
TEST(VerticalLines, AfterArrivalTheLowerLabelReceivesTheNextLine) {
  for (const std::int32_t height : {16, -8}) {
    VerticalLines bar;
    bar.Layout(height);
    const std::int32_t below = height > 0 ? height : 0;
    EXPECT_EQ(Tick(bar, Lines{u"1", u"2"}), u"1");
    EXPECT_EQ(bar.Label1().top, below);
    EXPECT_FALSE(bar.IncomingIsLabel2());
    EXPECT_EQ(Tick(bar, Lines{u"1", u"2"}), u"2");
    EXPECT_EQ(bar.Label2().top, below);
    EXPECT_EQ(bar.IncomingIsLabel2(), height > 0);
  }
}

TEST(VerticalLines, ATickDuringASlideReplacesTheSlidingCaption) {
  VerticalLines bar;
  bar.Layout(20);
  const Lines lines{u"1", u"2", u"3"};
  Tick(bar, lines);
  bar.NextLine(lines);
  EXPECT_FALSE(bar.SlideStep(7));
  bar.NextLine(lines);
  EXPECT_EQ(bar.Label1().caption, u"3");
  EXPECT_EQ(bar.Label1().top, 13);
  EXPECT_EQ(Slide(bar, 7), 2);
}

TEST(VerticalLines, ClearEmptiesBothAndStartsOver) {
  VerticalLines bar;
  bar.Layout(20);
  const Lines lines{u"1", u"2", u"3"};
  Tick(bar, lines);
  bar.Clear();
  EXPECT_EQ(bar.Label1().caption, u"");
  EXPECT_EQ(bar.Label2().caption, u"");
  // A layout brings the waiting Label1 up from below: its line then shows at once.
  bar.Layout(20);
  bar.NextLine(lines);
  EXPECT_EQ(bar.Label1().caption, u"1");
  EXPECT_EQ(Slide(bar, 1), 1);
}

}  // namespace
}  // namespace core

namespace core {
namespace {

struct LabelHitRow {
  const char* what;
  int slideSteps;  // of the second line, 1 pixel each, in an area 20 high
  std::int32_t y;  // from the top of the labels' area
  std::int32_t line;
};

class LabelUnderCursor : public testing::TestWithParam<LabelHitRow> {};

TEST_P(LabelUnderCursor, GivesTheDisplayLineItShows) {
  VerticalLines bar;
  bar.Layout(20);
  const Lines lines{u"first", u"second"};
  bar.NextLine(lines);
  Slide(bar, 1);
  bar.NextLine(lines);
  for (int step = 0; step < GetParam().slideSteps; ++step) bar.SlideStep(1);
  EXPECT_EQ(bar.LineAt(GetParam().y), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    VerticalLines, LabelUnderCursor,
    testing::Values(LabelHitRow{"Before the slide the first line fills the area", 0, 19, 0},
                    LabelHitRow{"Mid-slide the leaving line is above", 10, 9, 0},
                    LabelHitRow{"Mid-slide the arriving line is below", 10, 10, 1},
                    LabelHitRow{"Arrived the second line fills the area", 20, 0, 1},
                    LabelHitRow{"Above both labels nothing", 20, -1, -1}),
    testing_names::FromWhat{});

TEST(LabelUnderCursor, ANewTextLeavesNoLineUnderTheCursor) {
  VerticalLines bar;
  bar.Layout(20);
  bar.NextLine(Lines{u"first"});
  bar.Clear();
  EXPECT_EQ(bar.LineAt(5), -1);
}

}  // namespace
}  // namespace core
