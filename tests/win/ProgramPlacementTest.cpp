// Where the bar sits on the screen, seen from outside: docked and reserving its strip, dragged
// between floating and docked with the real mouse, the frame key, the switches, a restart and
// a restarted shell.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

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

// A framed bar has a sizing border while it floats and a thin frame while docked.
bool FramedFor(HWND bar, bool floating) {
  const bool sizing = (::GetWindowLongA(bar, GWL_STYLE) & WS_THICKFRAME) != 0;
  const bool thin = (::GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0;
  return sizing == floating && thin == !floating;
}

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
    ASSERT_TRUE(drag.HoldUntil([&] { return DockedAtTheTop(bar); }))
        << "docks in the top zone " << Describe(bar) << " cursor " << inTopZone.x << ","
        << inTopZone.y;
    EXPECT_GT(ReservationQuery(ABE_TOP).top, 0);
    EXPECT_TRUE(WaitUntil([&] { return FramedFor(bar, false); })) << "docked by the drag";

    // Undocked, the corner goes to the cursor, and from the next step on 5 pixels up and left
    // of it; a move of the window under the cursor may already be such a step.
    const auto floatsAt = [&](POINT cursor) {
      const RECT bounds = BoundsOf(bar);
      return bounds.right - bounds.left < ScreenWidth() &&
             (bounds.left == cursor.x || bounds.left == cursor.x - 5) &&
             (bounds.top == cursor.y || bounds.top == cursor.y - 5);
    };
    const POINT pulled = drag.MoveTo({260, inTopZone.y + 11});
    ASSERT_TRUE(drag.HoldUntil([&] { return floatsAt(pulled); }))
        << "a pull of 11 pixels undocks at the cursor " << Describe(bar);
    EXPECT_EQ(ReservationQuery(ABE_TOP).top, 0) << "the strip is given back";
    EXPECT_TRUE(WaitUntil([&] { return FramedFor(bar, true); })) << "undocked by the drag";

    drag.MoveTo({260, ScreenHeight() - 10});
    ASSERT_TRUE(drag.HoldUntil([&] { return DockedAtTheBottom(bar); })) << "docks at H-10";
    EXPECT_TRUE(WaitUntil([&] { return FramedFor(bar, false); }))
        << "docked at the bottom by the drag";

    const POINT leaving = drag.MoveTo({260, ScreenHeight() - 40});
    ASSERT_TRUE(drag.HoldUntil([&] { return floatsAt(leaving); })) << Describe(bar);
    const POINT resting = drag.MoveTo({300, 400});
    ASSERT_TRUE(drag.HoldUntil([&] { return floatsAt(resting); }))
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

// The drag counts from where the button went down, though a busy bar may take the press only
// after the mouse has moved on.
TEST_F(ProgramPlacement, ADragCountsFromThePressThatTheBarTookLate) {
  auto program = Start("Float=1\r\nFloatLeft=200\r\nFloatTop=300\r\nFloatRight=600\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] {
    const RECT bounds = BoundsOf(bar);
    return bounds.left == 200 && bounds.top == 300;
  })) << Describe(bar);
  const int height = BoundsOf(bar).bottom - 300;
  std::optional<ProcessPause> busy(program->ProcessId());
  MouseDrag drag({260, 300 + height / 2}, MouseDrag::Capture::Later);
  POINT pressed{};
  ::GetCursorPos(&pressed);
  drag.MoveTo({400, 500});
  busy.reset();
  const POINT to = drag.MoveTo({410, 510});
  EXPECT_TRUE(drag.HoldUntil([&] {
    const RECT bounds = BoundsOf(bar);
    return bounds.left == 200 + to.x - pressed.x && bounds.top == 300 + to.y - pressed.y;
  })) << Describe(bar)
      << " pressed at " << pressed.x << "," << pressed.y;
  Exit(*program, bar);
}

class ProgramFrameKey : public ProgramPlacement, public testing::WithParamInterface<bool> {};

// Real keys after one click, each as soon as the last one shows: the bar keeps the keyboard
// through each toggle.
TEST_P(ProgramFrameKey, TogglesAtEveryPressAndAnEvenCountGivesTheSameRectangleBack) {
  const bool bottom = GetParam();
  auto program = Start("Frame=1\r\n", bottom ? "/BOTTOM" : "");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return bottom ? DockedAtTheBottom(bar) : DockedAtTheTop(bar); }));
  const RECT framed = BoundsOf(bar);
  const auto height = [&] {
    const RECT now = BoundsOf(bar);
    return now.bottom - now.top;
  };
  const LONG framedHeight = height();
  ClickAt({(framed.left + framed.right) / 2, (framed.top + framed.bottom) / 2});
  const DWORD barThread = ::GetWindowThreadProcessId(bar, nullptr);
  const auto focused = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(barThread, &info) && info.hwndFocus &&
           (info.hwndFocus == bar || ::IsChild(bar, info.hwndFocus));
  };
  ASSERT_TRUE(WaitUntil(focused, 3000))
      << "the click gave the bar the keyboard " << ClassNameOf(::GetForegroundWindow());
  for (int press = 1; press <= 3; ++press) {
    PressKey('F');
    const bool bare = press % 2 != 0;
    // Docked where it was: the same top, or at the bottom the same bottom.
    EXPECT_TRUE(WaitUntil([&] {
      const RECT now = BoundsOf(bar);
      const bool atEdge = bottom ? now.bottom == framed.bottom : now.top == framed.top;
      return bare ? atEdge && height() == framedHeight - 6 : ::EqualRect(&now, &framed) != FALSE;
    })) << "press "
        << press << " " << Describe(bar);
  }
  Exit(*program, bar);
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramFrameKey, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "AtTheBottom" : "AtTheTop";
                         });

TEST_F(ProgramPlacement, TheBottomSwitchDocksAtTheBottom) {
  auto program = Start("Float=1\r\n", "/BOTTOM");
  HWND bar = program->WaitForBar();
  EXPECT_TRUE(WaitUntil([&] { return DockedAtTheBottom(bar); }));
  Exit(*program, bar);
}

struct RedockCase {
  const char* what;
  const char* settings;
  const char* switches;
  DWORD ticks;  // one a second
};

class ProgramRedock : public ProgramPlacement, public testing::WithParamInterface<RedockCase> {};

TEST_P(ProgramRedock, KeepsABottomBarOnItsStrip) {
  auto program = Start(GetParam().settings, GetParam().switches);
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheBottom(bar); })) << Describe(bar);
  const RECT docked = BoundsOf(bar);
  const LONG reserved = ReservationQuery(ABE_BOTTOM).bottom;
  EXPECT_FALSE(WaitUntil(
      [&] {
        const RECT now = BoundsOf(bar);
        return ::EqualRect(&now, &docked) == FALSE;
      },
      GetParam().ticks * 1000 + 500))
      << "left its strip " << Describe(bar);
  EXPECT_EQ(ReservationQuery(ABE_BOTTOM).bottom, reserved);
  Exit(*program, bar);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramRedock,
    testing::Values(RedockCase{"StoredAtTheBottom", "Bottom=1\r\n", "/MONITOR0 /RP1 /RT3", 3},
                    RedockCase{"SwitchedToTheBottom", "Frame=1\r\n", "/MONITOR0 /RP1 /RT5 /BOTTOM",
                               5}),
    [](const testing::TestParamInfo<RedockCase>& info) { return info.param.what; });

// Each tick pulls a floating bar that drifted back to the monitor's corner; the count ends them.
TEST_F(ProgramPlacement, TheRedockCountGivesThatManyTicks) {
  auto program = Start("Float=1\r\nFloatLeft=200\r\nFloatTop=300\r\nFloatRight=600\r\n",
                       "/MONITOR0 /RP2 /RT2");
  HWND bar = program->WaitForBar();
  const auto atCorner = [&] {
    const RECT now = BoundsOf(bar);
    return now.left == 1 && now.top == 1;
  };
  ASSERT_TRUE(WaitUntil(atCorner)) << "placed on monitor 0 " << Describe(bar);
  const auto drift = [&] {
    ::SetWindowPos(bar, nullptr, 300, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return WaitUntil([&] { return BoundsOf(bar).left == 300; });
  };
  for (int tick = 1; tick <= 2; ++tick) {
    ASSERT_TRUE(drift());
    ASSERT_TRUE(WaitUntil(atCorner, 4000)) << "tick " << tick << " " << Describe(bar);
  }
  ASSERT_TRUE(drift());
  EXPECT_FALSE(WaitUntil(atCorner, 3000)) << "a third tick";
  Exit(*program, bar);
}

// Explorer may outlive a test: a bar the tests end without a word must leave no strip behind
// for the next test's bar.
TEST_F(ProgramPlacement, ABarEndedByTheTestsLeavesNoStripBehind) {
  const LONG free = ReservationQuery(ABE_BOTTOM).bottom;
  {
    auto program = Start("Bottom=1\r\n");
    HWND bar = program->WaitForBar();
    ASSERT_TRUE(WaitUntil([&] {
      return DockedAtTheBottom(bar) && ReservationQuery(ABE_BOTTOM).bottom < free;
    })) << Describe(bar);
  }
  EXPECT_EQ(ReservationQuery(ABE_BOTTOM).bottom, free);
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
