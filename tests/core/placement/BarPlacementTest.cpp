#include "core/placement/BarPlacement.h"

#include <gtest/gtest.h>

#include "TestNames.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace core {
namespace {

constexpr std::int32_t kMax = 2147483647;

const std::vector<Rect> kSideBySide{{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}};
const std::vector<Rect> kStacked{{0, -768, 1024, 0}, {0, 0, 1024, 768}};
const std::vector<Rect> kNone;
const std::vector<Rect> kOverlapping{{0, 0, 100, 100}, {50, 50, 150, 150}};
// A 1024x768 monitor with another to its right.
const std::vector<Rect> kTwo{{0, 0, 1024, 768}, {1024, 0, 2048, 768}};

struct LookupCase {
  const char* what;
  const std::vector<Rect>* monitors;
  Point point;
  int found;  // FindMonitorAt; MonitorIndexAt gives 0 for -1
};

class MonitorLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(MonitorLookup, HoldsLeftAndTopButNotRightAndBottom) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(FindMonitorAt(*c.monitors, c.point), c.found);
  EXPECT_EQ(MonitorIndexAt(*c.monitors, c.point), c.found == -1 ? 0 : c.found);
}

INSTANTIATE_TEST_SUITE_P(
    ScreenGeometry, MonitorLookup,
    testing::Values(LookupCase{"the left monitor holds its corner", &kSideBySide, {-1280, 0}, 0},
                    LookupCase{"its right limit is the next monitor", &kSideBySide, {0, 500}, 1},
                    LookupCase{"the last right limit is none", &kSideBySide, {1920, 0}, -1},
                    LookupCase{"its bottom limit is none", &kSideBySide, {-1, 1024}, -1},
                    LookupCase{"the upper bottom limit is the lower", &kStacked, {0, 0}, 1},
                    LookupCase{"above all is none", &kStacked, {0, -769}, -1},
                    LookupCase{"overlap goes to the first listed", &kOverlapping, {60, 60}, 0},
                    LookupCase{"no monitors is none", &kNone, {0, 0}, -1}),
    testing_names::FromWhat());

TEST(BarPlacement, HeightFollowsMinimizedAndFrame) {
  EXPECT_EQ(BarHeight({.minimized = true, .frame = true, .marqueeHeight = 20}), 2);
  EXPECT_EQ(BarHeight({.minimized = true, .totallyHide = true, .marqueeHeight = 20}), 0);
  EXPECT_EQ(BarHeight({.frame = true, .marqueeHeight = 20}), 26);
  EXPECT_EQ(BarHeight({.marqueeHeight = 20}), 20);
}

TEST(BarPlacement, AMinimizedBottomStripKeepsTheBarsBottomEdge) {
  // A bar at 700..730 (marquee 24 and a frame) leaves its strip at 728..730 and comes back.
  EXPECT_EQ(MinimizedTop(700, 30), 728);
  EXPECT_EQ(RestoredTop(728, 24, true), 700);
  EXPECT_EQ(RestoredTop(MinimizedTop(706, 24), 24, false), 706);
}

TEST(BarPlacement, EveryPixelSizeScalesWithTheMonitorsDensity) {
  EXPECT_EQ(ScaledPixels(2, 144), 3);
  EXPECT_EQ(ScaledPixels(77, 120), 96);  // 96.25, to the nearest
  EXPECT_EQ(ScaledPixels(-5, 144), -8);  // halves away from 0, as the system's MulDiv
  EXPECT_EQ(ScaledPixels(7, 0), 7);      // no density known: unscaled
  EXPECT_EQ(UnscaledPixels(300, 144), 200);
  // At 144 DPI: the strip, the frame, the width, the zones, the pull and the drift.
  EXPECT_EQ(BarHeight({.minimized = true, .marqueeHeight = 30, .dpi = 144}), 3);
  EXPECT_EQ(BarHeight({.frame = true, .marqueeHeight = 30, .dpi = 144}), 39);
  EXPECT_EQ(MinimizedTop(700, 39, 144), 736);
  EXPECT_EQ(RestoredTop(736, 30, true, 144), 700);
  EXPECT_EQ(FloatingWidth(10, 144), 116);
  EXPECT_EQ(DockZoneAt(kTwo, {}, {500, 14}, 144), DockZone::Top);
  EXPECT_EQ(DockZoneAt(kTwo, {}, {500, 15}, 144), DockZone::None);
  EXPECT_FALSE(ShouldUndock(TEdge::abeTop, {500, 15}, {500, 0}, 0, 0, 144));
  EXPECT_TRUE(ShouldUndock(TEdge::abeTop, {500, 16}, {500, 0}, 0, 0, 144));
  EXPECT_EQ(UndockAt({300, 200}, 144).anchor.startPos, (Point{292, 192}));
  EXPECT_EQ(RedockedTopLeft(kTwo, 1, {1030, 4}, 144), std::nullopt);
  const BarLayout layout =
      LayoutBar({.clientWidth = 600, .clientHeight = 30, .fontSize = 14, .dpi = 144});
  EXPECT_EQ(layout.labels.left, 10 + 3);  // 21 pixels: a half and a seventh
  EXPECT_EQ(layout.richEditWidth, 600 - 13 - 10 - 36);
}

struct LogoCase {
  const char* what;
  std::int32_t pictureWidth, pictureHeight, logoHeight;
  bool useLogo;
  std::int32_t clientWidth, width;
};

class TheLogoWidth : public testing::TestWithParam<LogoCase> {};

TEST_P(TheLogoWidth, KeepsTheRatioInThousandths) {
  const LogoCase& c = GetParam();
  EXPECT_EQ(LogoWidth(c.pictureWidth, c.pictureHeight, c.logoHeight, c.useLogo, c.clientWidth),
            c.width);
}

INSTANTIATE_TEST_SUITE_P(
    BarPlacement, TheLogoWidth,
    testing::Values(LogoCase{"twice as wide", 200, 100, 30, true, 800, 60},
                    LogoCase{"truncated at each step", 3, 7, 20, true, 800, 8},
                    LogoCase{"a huge picture stops at the client", kMax, 1, 30, true, 800, 800},
                    LogoCase{"no picture gives none", 0, 0, 30, true, 800, 0},
                    LogoCase{"UseLogo off gives none", 200, 100, 30, false, 800, 0}),
    testing_names::FromWhat());

struct LayoutCase {
  const char* what;
  LayoutInput input;
  Rect logo, marquee, labels;
  std::int32_t richEditWidth;
};

class TheLayout : public testing::TestWithParam<LayoutCase> {};

// Font size 14 indents the labels by 7 + 2 and keeps 7 free at their right.
TEST_P(TheLayout, SharesTheClientArea) {
  const BarLayout layout = LayoutBar(GetParam().input);
  EXPECT_EQ(layout.logo, GetParam().logo);
  EXPECT_EQ(layout.marquee, GetParam().marquee);
  EXPECT_EQ(layout.labels, GetParam().labels);
  EXPECT_EQ(layout.richEditWidth, GetParam().richEditWidth);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(BarPlacement, TheLayout, testing::Values(
    LayoutCase{"logo left, labels to the client end", {400, 30, 200, 100, true, false, 14},
               {0, 0, 60, 30}, {60, 0, 400, 30}, {69, 0, 393, 30}, 300},
    LayoutCase{"logo right, labels stop before it", {400, 30, 200, 100, true, true, 14},
               {340, 0, 400, 30}, {0, 0, 340, 30}, {9, 0, 333, 30}, 300},
    LayoutCase{"no logo, labels to width less half the size", {400, 30, 200, 100, false, false, 14},
               {0, 0, 0, 30}, {0, 0, 400, 30}, {9, 0, 393, 30}, 360},
    LayoutCase{"too narrow, nothing below zero", {10, 30, 0, 0, false, false, 14},
               {0, 0, 0, 30}, {0, 0, 10, 30}, {9, 0, 9, 30}, 0},
    LayoutCase{"a negative client is empty", {-5, -5, 200, 100, true, true, 14},
               {0, 0, 0, 0}, {0, 0, 0, 0}, {9, 0, 9, 0}, 0}),
    testing_names::FromWhat());
// clang-format on

struct FrameCase {
  const char* what;
  bool floating, frame;
  WindowStyles current, styles;
};

class TheFrameStyles : public testing::TestWithParam<FrameCase> {};

TEST_P(TheFrameStyles, SetOnlyTheFrameBits) {
  const FrameCase& c = GetParam();
  EXPECT_EQ(FrameStyles(c.current, c.floating, c.frame), c.styles);
}

INSTANTIATE_TEST_SUITE_P(
    BarPlacement, TheFrameStyles,
    testing::Values(
        FrameCase{"floating framed sizes", true, true, {0x10000000, 0x81}, {0x10040000, 0x80}},
        FrameCase{"floating bare has neither", true, false, {0x10040000, 0x81}, {0x10000000, 0x80}},
        FrameCase{"docked framed is raised", false, true, {0x10040000, 0x80}, {0x10000000, 0x81}},
        FrameCase{"docked bare has neither", false, false, {0x10040000, 0x81}, {0x10000000, 0x80}}),
    testing_names::FromWhat());

TEST(BarPlacement, AFloatingBarIsAtLeast77WideAndNudgesBack) {
  const Rect floating{10, 20, 110, 50};
  const Rect docked{0, 0, 1024, 30};
  EXPECT_EQ(FloatingWidth(10), 77);
  EXPECT_EQ(FloatingWidth(300), 300);
  EXPECT_EQ(NudgedBounds(floating, true, FrameNudge::Out), (Rect{8, 18, 112, 52}));
  EXPECT_EQ(NudgedBounds(docked, false, FrameNudge::Out), (Rect{0, -2, 1024, 30}));
  EXPECT_EQ(NudgedBounds(NudgedBounds(floating, true, FrameNudge::Out), true, FrameNudge::In),
            floating);
  EXPECT_EQ(NudgedBounds(NudgedBounds(docked, false, FrameNudge::Out), false, FrameNudge::In),
            docked);
}

// Taskbars on monitor 0: one that holds no edge, then a 1-pixel one and a 30-pixel one.
const Rect kVertical{0, 0, 60, 768};
const Rect kElsewhere{1024, 738, 2048, 768};
const Rect kThin{0, 767, 1024, 768};
const Rect kTopBar{0, 0, 1024, 30};

struct ZoneCase {
  const char* what;
  Rect taskbar;
  std::int32_t y;  // x is 500
  DockZone zone;
  bool onTaskbar = false;
};

class TheDockZone : public testing::TestWithParam<ZoneCase> {};

TEST_P(TheDockZone, IsTenDeepAtTheTopAndNineAtTheBottom) {
  const ZoneCase& c = GetParam();
  EXPECT_EQ(DockZoneAt(kTwo, c.taskbar, {500, c.y}), c.zone);
  EXPECT_EQ(CursorOnTaskbar(c.taskbar, {500, c.y}), c.onTaskbar);
}

using enum DockZone;

INSTANTIATE_TEST_SUITE_P(
    BarPlacement, TheDockZone,
    testing::Values(ZoneCase{"no taskbar edge, top plus 9 docks top", kVertical, 9, Top},
                    ZoneCase{"no taskbar edge, top plus 10 is free", kVertical, 10, None},
                    ZoneCase{"no taskbar edge, bottom less 9 docks bottom", kVertical, 759, Bottom},
                    ZoneCase{"no taskbar edge, bottom less 10 is free", kVertical, 758, None},
                    ZoneCase{"taskbar elsewhere, bottom docks", kElsewhere, 767, Bottom},
                    ZoneCase{"taskbar elsewhere, level with its zone is free", kElsewhere, 730,
                             None},
                    ZoneCase{"thin taskbar, the cursor on it", kThin, 767, Bottom, true},
                    ZoneCase{"thin taskbar, 1 above docks bottom", kThin, 766, Bottom},
                    ZoneCase{"thin taskbar, 9 above docks bottom", kThin, 758, Bottom},
                    ZoneCase{"thin taskbar, 10 above is free", kThin, 757, None},
                    ZoneCase{"top taskbar, just below docks top", kTopBar, 30, Top},
                    ZoneCase{"top taskbar, 9 below docks top", kTopBar, 39, Top},
                    ZoneCase{"top taskbar, 10 below is free", kTopBar, 40, None}),
    testing_names::FromWhat());

struct UndockCase {
  const char* what;
  TEdge edge;
  std::int32_t startY, cursorY;
  int cursorMonitor;  // the bar is on monitor 0
  bool undocks;
};

class Undocking : public testing::TestWithParam<UndockCase> {};

TEST_P(Undocking, TakesAPullOfMoreThanTen) {
  const UndockCase& c = GetParam();
  EXPECT_EQ(ShouldUndock(c.edge, {500, c.cursorY}, {500, c.startY}, 0, c.cursorMonitor), c.undocks);
}

INSTANTIATE_TEST_SUITE_P(
    BarPlacement, Undocking,
    testing::Values(UndockCase{"top pulled 10 stays", TEdge::abeTop, 5, 15, 0, false},
                    UndockCase{"top pulled 11 leaves", TEdge::abeTop, 5, 16, 0, true},
                    UndockCase{"bottom pulled 10 stays", TEdge::abeBottom, 760, 750, 0, false},
                    UndockCase{"bottom pulled 11 leaves", TEdge::abeBottom, 760, 749, 0, true},
                    UndockCase{"another monitor leaves", TEdge::abeTop, 5, 5, 1, true},
                    UndockCase{"a left edge never leaves", TEdge::abeLeft, 5, 100, 1, false},
                    UndockCase{"floating never leaves", TEdge::abeFloat, 5, 100, 1, false}),
    testing_names::FromWhat());

TEST(BarPlacement, ADragCanDockAndLeaveAgain) {
  const Point docked{500, 5};
  ASSERT_EQ(DockZoneAt(kTwo, kVertical, docked), DockZone::Top);
  EXPECT_TRUE(ShouldUndock(TEdge::abeTop, {500, 16}, docked, 0, 0));
  EXPECT_EQ(DockZoneAt(kTwo, kVertical, {-1, 5}), DockZone::None);  // on no monitor

  const UndockPlacement undock = UndockAt({300, 200});
  EXPECT_EQ(undock.topLeft, (Point{300, 200}));
  EXPECT_EQ(DraggedPosition(undock.anchor, {310, 190}), (Point{305, 185}));
}

TEST(BarPlacement, StartUpPlacementAndRedockTiming) {
  StoredPlacement stored{.topLeft = {10, 10}, .floatLeft = 50, .floatTop = 60, .floatRight = 250};
  EXPECT_EQ(StartupTopLeft(kTwo, stored.topLeft), (Point{10, 10}));
  EXPECT_EQ(StartupFloatRect(kTwo, stored, 30), (Rect{50, 60, 250, 90}));
  stored.topLeft = {5000, 10};  // its monitor is gone
  EXPECT_EQ(StartupTopLeft(kTwo, stored.topLeft), (Point{0, 0}));
  EXPECT_EQ(StartupFloatRect(kTwo, stored, 30), (Rect{100, 100, 300, 150}));
  EXPECT_EQ(StoredEdge({.bottom = true, .floating = true}), TEdge::abeFloat);
  EXPECT_EQ(StoredEdge({.bottom = true}), TEdge::abeBottom);
  EXPECT_EQ(StoredEdge({}), TEdge::abeTop);
  EXPECT_EQ(MonitorCorner(kTwo, 1), (Point{1025, 1}));
  EXPECT_EQ(MonitorCorner(kTwo, -1), std::nullopt);
  EXPECT_EQ(MonitorCorner(kTwo, 2), std::nullopt);
  EXPECT_EQ(CommandLineEdge(true, true), TEdge::abeBottom);
  EXPECT_EQ(CommandLineEdge(true, false), TEdge::abeTop);
  EXPECT_EQ(CommandLineEdge(false, false), std::nullopt);
  EXPECT_EQ(RedockIntervalMs(5, 0), 0u);
  EXPECT_EQ(RedockIntervalMs(0, 3), 0u);
  EXPECT_EQ(RedockIntervalMs(5, 3), 5000u);
  EXPECT_EQ(RedockIntervalMs(kMax, 1), 2147483647u);
}

TEST(BarPlacement, RedockPullsOnlyADriftOfMoreThanThree) {
  EXPECT_EQ(RedockedTopLeft(kTwo, 1, {1028, 4}), std::nullopt);
  EXPECT_EQ(RedockedTopLeft(kTwo, 1, {1029, 4}), (Point{1025, 4}));
  EXPECT_EQ(RedockedTopLeft(kTwo, 1, {1025, -3}), (Point{1025, 1}));
  EXPECT_EQ(RedockedTopLeft(kTwo, 2, {5000, 5000}), std::nullopt);
}

struct RedockTickCase {
  const char* what;
  int monitor;
  Point corner;
  bool floating;
  RedockTick tick;
};

class ARedockTick : public testing::TestWithParam<RedockTickCase> {};

TEST_P(ARedockTick, KeepsADockedBarOnItsEdge) {
  const RedockTickCase& c = GetParam();
  EXPECT_EQ(RedockTickFor(kTwo, c.monitor, c.corner, c.floating), c.tick);
}

INSTANTIATE_TEST_SUITE_P(
    BarPlacement, ARedockTick,
    testing::Values(
        RedockTickCase{"docked at the bottom of its monitor stays", 0, {0, 740}, false, {{}, true}},
        RedockTickCase{"docked at the top of its monitor stays", 1, {1024, 0}, false, {{}, true}},
        RedockTickCase{"docked on another monitor moves", 1, {0, 740}, false, {{{1025, 1}}, true}},
        RedockTickCase{"floating drifted is pulled", 0, {300, 400}, true, {{{1, 1}}, false}},
        RedockTickCase{"floating within 3 stays", 0, {4, 4}, true, {}},
        RedockTickCase{"no such monitor does nothing", 2, {0, 740}, false, {}}),
    testing_names::FromWhat());

}  // namespace
}  // namespace core
