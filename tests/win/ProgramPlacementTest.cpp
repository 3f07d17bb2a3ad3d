// Where the bar sits on the screen, seen from outside: docked and reserving its strip, dragged
// between floating and docked with the real mouse, the frame key, the switches, a restart and
// a restarted shell.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "ProgramOnSettings.h"
// After windows.h, which ProgramDriver.h brings.
#include <shellapi.h>

using namespace testing_support;
using testing::HasSubstr;

namespace {

std::string Describe(HWND window) {
  const RECT r = BoundsOf(window);
  char text[64];
  std::snprintf(text, sizeof text, "(%ld,%ld,%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return text;
}

using ProgramPlacement = ProgramOnSettings;

struct ReservationCase {
  const char* what;
  const char* settings;
  bool reserved;
};

class ProgramReservation : public ProgramPlacement,
                           public testing::WithParamInterface<ReservationCase> {};

TEST_P(ProgramReservation, TheDefaultStartDocksAtTheTop) {
  auto program = Start(GetParam().settings);
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }));
  const RECT bounds = BoundsOf(bar);
  EXPECT_EQ(ReservationQuery(ABE_TOP).top, GetParam().reserved ? bounds.bottom : 0);
  Exit(*program, bar);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramReservation,
    testing::Values(ReservationCase{"AndReservesItsStrip", "Frame=1\r\n", true},
                    ReservationCase{"WithoutReservingWhenToldNotTo", "DoNotAdjustDesktop=1\r\n",
                                    false}),
    [](const testing::TestParamInfo<ReservationCase>& info) { return info.param.what; });

TEST_F(ProgramPlacement, DraggingDocksAndUndocksAndTheFloatingPlaceSurvivesARestart) {
  auto program = Start("Float=1\r\nFloatLeft=200\r\nFloatTop=300\r\nFloatRight=600\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] {
    const RECT bounds = BoundsOf(bar);
    return bounds.left == 200 && bounds.top == 300 && bounds.right == 600;
  })) << Describe(bar);
  const int height = BoundsOf(bar).bottom - 300;
  {
    MouseDrag drag({260, 300 + height / 2});
    const POINT inTopZone = drag.MoveTo({260, 5});
    ASSERT_LT(inTopZone.y, 10);
    ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }))
        << "docks in the top zone " << Describe(bar) << " cursor " << inTopZone.x << ","
        << inTopZone.y;
    EXPECT_GT(ReservationQuery(ABE_TOP).top, 0);

    // Undocked, the corner goes to the cursor, and from the next step on 5 pixels up and left
    // of it; a move of the window under the cursor may already be such a step.
    const auto floatsAt = [&](POINT cursor) {
      const RECT bounds = BoundsOf(bar);
      return bounds.right - bounds.left < ScreenWidth() &&
             (bounds.left == cursor.x || bounds.left == cursor.x - 5) &&
             (bounds.top == cursor.y || bounds.top == cursor.y - 5);
    };
    const POINT pulled = drag.MoveTo({260, inTopZone.y + 11});
    ASSERT_TRUE(WaitUntil([&] { return floatsAt(pulled); }))
        << "a pull of 11 pixels undocks at the cursor " << Describe(bar);
    EXPECT_EQ(ReservationQuery(ABE_TOP).top, 0) << "the strip is given back";

    drag.MoveTo({260, ScreenHeight() - 10});
    ASSERT_TRUE(WaitUntil([&] { return DockedAtTheBottom(bar); })) << "docks at H-10";

    const POINT leaving = drag.MoveTo({260, ScreenHeight() - 40});
    ASSERT_TRUE(WaitUntil([&] { return floatsAt(leaving); })) << Describe(bar);
    const POINT resting = drag.MoveTo({300, 400});
    ASSERT_TRUE(WaitUntil([&] { return floatsAt(resting); }))
        << Describe(bar) << " resting " << resting.x << "," << resting.y;
  }
  const RECT floating = BoundsOf(bar);
  Exit(*program, bar);
  const std::string saved = Saved();
  EXPECT_THAT(saved, HasSubstr("Float=1"));
  EXPECT_THAT(saved, HasSubstr("FloatLeft=" + std::to_string(floating.left)));

  program = Start({});
  bar = program->WaitForBar();
  EXPECT_TRUE(WaitUntil([&] {
    const RECT bounds = BoundsOf(bar);
    return bounds.left == floating.left && bounds.top == floating.top &&
           bounds.right == floating.right;
  })) << "the floating place after a restart";
  Exit(*program, bar);
}

TEST_F(ProgramPlacement, TheFrameKeyTwiceGivesTheSameRectangleBack) {
  auto program = Start("Frame=1\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }));
  const RECT framed = BoundsOf(bar);
  ::PostMessageA(bar, WM_KEYDOWN, 'F', 0);
  EXPECT_TRUE(WaitUntil([&] { return BoundsOf(bar).bottom == framed.bottom - 6; }))
      << Describe(bar) << " framed bottom " << framed.bottom;
  ::PostMessageA(bar, WM_KEYDOWN, 'F', 0);
  EXPECT_TRUE(WaitUntil([&] {
    const RECT now = BoundsOf(bar);
    return ::EqualRect(&framed, &now) != FALSE;
  }));
  Exit(*program, bar);
}

TEST_F(ProgramPlacement, TheBottomSwitchDocksAtTheBottom) {
  auto program = Start("Float=1\r\n", "/BOTTOM");
  HWND bar = program->WaitForBar();
  EXPECT_TRUE(WaitUntil([&] { return DockedAtTheBottom(bar); }));
  Exit(*program, bar);
}

TEST_F(ProgramPlacement, ARestartedShellGetsTheBarRegisteredAgain) {
  auto program = Start("Frame=1\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar) && ReservationQuery(ABE_TOP).top > 0; }));
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = bar;
  ::SHAppBarMessage(ABM_REMOVE, &data);
  ASSERT_EQ(ReservationQuery(ABE_TOP).top, 0) << "the shell forgot the bar";
  ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return ReservationQuery(ABE_TOP).top == BoundsOf(bar).bottom; }));
  Exit(*program, bar);
}

}  // namespace
