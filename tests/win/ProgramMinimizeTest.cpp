// Minimizing, hiding and restoring the bar, seen from outside: the strip, the tray icon and
// its menu, the mouse on the strip, the hide timer and the text's own reasons.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ProgramOnSettings.h"
// After windows.h, which ProgramDriver.h brings.
#include <shellapi.h>

using namespace testing_support;

namespace {

constexpr UINT kTrayCallback = WM_USER + 1;

class ProgramMinimize : public ProgramOnSettings {
 protected:
  static HWND TrayWindowOf(RunningProgram& program) {
    return FindProcessWindow(program.ProcessId(), "TTrayIcon", false);
  }
  static void ClickTheIcon(RunningProgram& program, UINT button = WM_LBUTTONUP) {
    ::PostMessageA(TrayWindowOf(program), kTrayCallback, 0, button);
  }
  static LONG HeightOf(HWND bar) {
    const RECT bounds = BoundsOf(bar);
    return bounds.bottom - bounds.top;
  }
  static void Minimize(HWND bar) { ::PostMessageA(bar, WM_COMMAND, CMD_MINIMIZE, 0); }
};

TEST_F(ProgramMinimize, ABottomBarLeavesAStripWithItsIconAndComesBackWithTheSameBottom) {
  const int icons = static_cast<int>(TrayIconWindows().size());
  auto program = Start("HideTrayicon=1\r\n", "/BOTTOM");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheBottom(bar); }));
  const RECT full = BoundsOf(bar);
  EXPECT_EQ(static_cast<int>(TrayIconWindows().size()), icons)
      << "HideTrayicon: no icon while the bar shows";

  Minimize(bar);
  ASSERT_TRUE(WaitUntil([&] { return HeightOf(bar) == 2 && BoundsOf(bar).bottom == full.bottom; }));
  // The window takes its new size before the bar tells the shell of it.
  EXPECT_TRUE(WaitUntil([&] { return ReservationQuery(ABE_BOTTOM).bottom == full.bottom - 2; }))
      << "the strip is reserved";
  EXPECT_TRUE(WaitUntil([&] { return static_cast<int>(TrayIconWindows().size()) == icons + 1; }));

  ClickTheIcon(*program);
  EXPECT_TRUE(WaitUntil([&] {
    const RECT now = BoundsOf(bar);
    return ::EqualRect(&now, &full) != FALSE;
  }));
  EXPECT_TRUE(WaitUntil([&] { return ReservationQuery(ABE_BOTTOM).bottom == full.top; }));
  EXPECT_TRUE(WaitUntil([&] { return static_cast<int>(TrayIconWindows().size()) == icons; }));
  Exit(*program, bar);
}

TEST_F(ProgramMinimize, AHiddenBarLeavesNothingToTouchAndItsIconBringsItBack) {
  auto program = Start("TotallyHide=1\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }));
  const LONG height = HeightOf(bar);
  Minimize(bar);
  ASSERT_TRUE(WaitUntil([&] { return HeightOf(bar) == 0; }));
  MoveMouseTo({300, 0});
  ::Sleep(300);  // time for a reveal that must not come
  EXPECT_EQ(HeightOf(bar), 0);
  ClickTheIcon(*program);
  EXPECT_TRUE(WaitUntil([&] { return HeightOf(bar) == height; }));
  Exit(*program, bar);
}

TEST_F(ProgramMinimize, AFloatingBarHidesAndComesBackAtItsPlace) {
  auto program = Start("Float=1\r\nFloatLeft=200\r\nFloatTop=300\r\nFloatRight=600\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return BoundsOf(bar).left == 200; }));
  const RECT floating = BoundsOf(bar);
  Minimize(bar);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(bar); }));
  ::PostMessageA(bar, WM_COMMAND, CMD_RESTORE, 0);
  EXPECT_TRUE(WaitUntil([&] {
    const RECT now = BoundsOf(bar);
    return ::IsWindowVisible(bar) && ::EqualRect(&now, &floating);
  }));
  Exit(*program, bar);
}

struct RevealCase {
  const char* what;
  const char* settings;
  bool reveals;
};

class ProgramStripReveal : public ProgramMinimize,
                           public testing::WithParamInterface<RevealCase> {};

TEST_P(ProgramStripReveal, TheMouseOnTheStripRestoresTheBarWhenAsked) {
  auto program = Start(GetParam().settings);
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }));
  const LONG height = HeightOf(bar);
  Minimize(bar);
  ASSERT_TRUE(WaitUntil([&] { return HeightOf(bar) == 2; }));
  MoveMouseTo({300, 1});
  if (GetParam().reveals) {
    EXPECT_TRUE(WaitUntil([&] { return HeightOf(bar) == height; }));
  } else {
    MoveMouseTo({310, 0});  // a second move, as a hand gives
    EXPECT_FALSE(WaitUntil([&] { return HeightOf(bar) != 2; }, 500));
  }
  Exit(*program, bar);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramStripReveal,
    testing::Values(RevealCase{"WithoutAFrame", "Frame=0\r\n", true},
                    RevealCase{"WithAFrame", "Frame=1\r\n", true},
                    RevealCase{"NotWhenSwitchedOff", "Frame=0\r\nShowOnMouseOver=0\r\n", false}),
    [](const testing::TestParamInfo<RevealCase>& info) { return info.param.what; });

TEST_F(ProgramMinimize, TheHideTimerCountsFromTheLastChangeOfTheText) {
  const std::string file = TempFilePath("driftline-hide.txt");
  WriteWholeFile(file, "first");
  auto program = Start("File=" + file +
                       "\r\nUseAutoReload=1\r\nGetFileDelay=100\r\nHideOnTimer=1\r\n"
                       "HideTimeDelay=1500\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }));
  const LONG height = HeightOf(bar);
  ::Sleep(700);  // part of the first count
  WriteWholeFile(file, "second");
  TouchFile(file, 10);
  const DWORD changed = ::GetTickCount();
  ASSERT_TRUE(WaitUntil([&] { return HeightOf(bar) == 2; }, 5000));
  EXPECT_GE(::GetTickCount() - changed, 1450u) << "the change started the count again";
  ::PostMessageA(bar, WM_COMMAND, CMD_RESTORE, 0);
  EXPECT_TRUE(WaitUntil([&] { return HeightOf(bar) == height; }));
  Exit(*program, bar);
  ::DeleteFileA(file.c_str());
}

TEST_F(ProgramMinimize, AMissingFileMinimizesTheBarAndItsArrivalBringsItBack) {
  const std::string file = TempFilePath("driftline-arriving.txt");
  ::DeleteFileA(file.c_str());
  auto program =
      Start("File=" + file + "\r\nUseAutoReload=1\r\nGetFileDelay=100\r\nHideOnMissing=1\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return HeightOf(bar) == 2; }));
  WriteWholeFile(file, "arrived");
  EXPECT_TRUE(WaitUntil([&] { return HeightOf(bar) > 2; })) << "ShowOnChange";
  Exit(*program, bar);
  ::DeleteFileA(file.c_str());
}

// The first check minimizes the bar before it is first shown: a floating one stays hidden, and
// its icon, kept even with HideTrayicon, brings it back.
TEST_F(ProgramMinimize, AFloatingBarHiddenWhileStartingStaysHiddenWithItsIcon) {
  const std::string file = TempFilePath("driftline-never.txt");
  ::DeleteFileA(file.c_str());
  const int icons = static_cast<int>(TrayIconWindows().size());
  auto program =
      Start("Float=1\r\nFloatLeft=200\r\nFloatTop=300\r\nFloatRight=600\r\nFile=" + file +
            "\r\nHideOnMissing=1\r\nHideTrayicon=1\r\n");
  HWND bar = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    bar = FindProcessWindow(program->ProcessId(), "TForm1", false);
    return bar && static_cast<int>(TrayIconWindows().size()) == icons + 1;
  }));
  EXPECT_FALSE(WaitUntil([&] { return ::IsWindowVisible(bar) != FALSE; }, 1000))
      << "shown " << HeightOf(bar) << " pixels high";
  ClickTheIcon(*program);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(bar) && HeightOf(bar) > 2; }));
  Exit(*program, bar);
}

// The minimized bar's menu has "&Restore"; the visible bar's has "E&xit" but no R.
TEST_F(ProgramMinimize, TheIconsMenuRestoresAMinimizedBarAndExitsAVisibleOne) {
  auto program = Start("Frame=1\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }));
  const LONG height = HeightOf(bar);
  Minimize(bar);
  ASSERT_TRUE(WaitUntil([&] { return HeightOf(bar) == 2; }));
  ClickTheIcon(*program, WM_RBUTTONUP);
  ASSERT_TRUE(WaitForOpenMenu());
  PressKey('R');
  ASSERT_TRUE(WaitUntil([&] { return HeightOf(bar) == height; }));
  ClickTheIcon(*program, WM_RBUTTONUP);
  ASSERT_TRUE(WaitForOpenMenu());
  PressKey('X');
  EXPECT_EQ(program->WaitForExit(), 0u);
}

TEST_F(ProgramMinimize, TheIconComesBackWhenTheShellStartsAgain) {
  const int icons = static_cast<int>(TrayIconWindows().size());
  auto program = Start("Frame=1\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return static_cast<int>(TrayIconWindows().size()) == icons + 1; }));
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = TrayWindowOf(*program);
  ::Shell_NotifyIconA(NIM_DELETE, &data);
  ASSERT_TRUE(WaitUntil([&] { return static_cast<int>(TrayIconWindows().size()) == icons; }));
  ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return static_cast<int>(TrayIconWindows().size()) == icons + 1; }));
  Exit(*program, bar);
}

}  // namespace
