#include "core/placement/AppBarGeometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestNames.h"

namespace core {
namespace {

// The primary monitor and one to its left, reaching above it: negative coordinates.
const std::vector<Rect> kMonitors{{0, 0, 1920, 1080}, {-1280, -200, 0, 824}};
constexpr Rect kFloatRect{100, 200, 600, 230};
constexpr Rect kOnLeft{-1200, 300, -800, 330};  // 400 x 30, like every bar here
constexpr Rect kAcross{-100, 500, 300, 530};    // its top-left corner on the left monitor
constexpr Point kAway{1500, 900};

struct DockCase {
  const char* what;
  TEdge edge;
  Rect bar;
  Point cursor;
  Rect answer;  // the shell's; empty: the proposal unchanged
  Rect placed;
};

class AppBarDocking : public testing::TestWithParam<DockCase> {};

TEST_P(AppBarDocking, ProposesOnTheChosenMonitorAndKeepsTheBarsSizeInTheAnswer) {
  const DockCase& c = GetParam();
  const Rect monitor = kMonitors[MonitorIndexAt(kMonitors, BarReferencePoint(c.bar, c.cursor))];
  const BarSize size{c.bar.Width(), c.bar.Height()};
  const Rect proposed = ProposedBarRect(c.edge, monitor, size, kMonitors[0].Width());
  const Rect answer = c.answer == Rect{} ? proposed : c.answer;
  EXPECT_EQ(AdjustedBarRect(c.edge, answer, size, kFloatRect), c.placed);
}

using enum TEdge;
constexpr Point kOverPrimary{200, 510};  // over kAcross, on the primary monitor
constexpr Rect kLeftTop{-1280, -200, 0, -170};
constexpr Rect kRaised{0, 1050, 1920, 1079};  // the shell's answer above a 1-pixel taskbar
const std::vector<DockCase> kDockCases{
    {"top at negative coordinates", abeTop, kOnLeft, kAway, {}, kLeftTop},
    {"bottom at negative coordinates", abeBottom, kOnLeft, kAway, {}, {-1280, 794, 0, 824}},
    {"float at its own rectangle", abeFloat, kOnLeft, kAway, {}, kFloatRect},
    {"cursor over the bar picks its monitor", abeTop, kAcross, kOverPrimary, {}, {0, 0, 1920, 30}},
    {"cursor at the right end is off the bar", abeTop, kAcross, {300, 510}, {}, kLeftTop},
    {"raised bottom", abeBottom, kAcross, kOverPrimary, kRaised, {0, 1049, 1920, 1079}},
    {"left", abeLeft, kAcross, kOverPrimary, {}, {0, 0, 400, 1080}},
    {"right", abeRight, kAcross, kOverPrimary, {}, {1520, 0, 1920, 1080}},
};
INSTANTIATE_TEST_SUITE_P(AppBarGeometry, AppBarDocking, testing::ValuesIn(kDockCases),
                         testing_names::FromWhat());

TEST(AppBarGeometry, LeftAndRightProposeFromTheOriginAndThePrimaryWidthOnAnyMonitor) {
  EXPECT_EQ(ProposedBarRect(abeLeft, kMonitors[1], {400, 30}, 1920), (Rect{0, 0, 0, 824}));
  EXPECT_EQ(ProposedBarRect(abeRight, kMonitors[1], {400, 30}, 1920), (Rect{1520, 0, 0, 824}));
}

TEST(AppBarGeometry, AReleasedStripKeepsNoThicknessOnTheScreensEdge) {
  EXPECT_EQ(ReleasedStrip(abeLeft, {0, 0, 30, 824}), (Rect{0, 0, 0, 824}));
  EXPECT_EQ(ReleasedStrip(abeTop, kLeftTop), (Rect{-1280, -200, 0, -200}));
  EXPECT_EQ(ReleasedStrip(abeRight, {1890, 0, 1920, 1080}), (Rect{1920, 0, 1920, 1080}));
  EXPECT_EQ(ReleasedStrip(abeBottom, {0, 1049, 1920, 1079}), (Rect{0, 1079, 1920, 1079}));
}

}  // namespace
}  // namespace core
