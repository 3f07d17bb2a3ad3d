// The whole program driven from outside: start, look, act, stop.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "Commands.h"
#include "ProgramDriver.h"

using namespace testing_support;
using testing::EndsWith;
using testing::HasSubstr;

namespace {

class ProgramLifecycle : public testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override { ResetProgramState(); }

  static DWORD ExitThroughTheMenuCommand(RunningProgram& program, HWND bar) {
    ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
    return program.WaitForExit();
  }
};

TEST_F(ProgramLifecycle, ShowsABorderlessToolWindowBarAtTheTopAndExitsWithCodeZero) {
  RunningProgram program;
  HWND bar = program.WaitForBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(WindowText(bar), "DriftlineAppbarForm");
  const LONG style = ::GetWindowLongA(bar, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
  EXPECT_TRUE(::GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT bounds{};
  ::GetWindowRect(bar, &bounds);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_GE(bounds.right - bounds.left, 77);
  EXPECT_GT(bounds.bottom - bounds.top, 2);
  EXPECT_EQ(ExitThroughTheMenuCommand(program, bar), 0u);
}

TEST_F(ProgramLifecycle, EachRunningCopyHoldsItsOwnNumberAndFreesItAtExit) {
  RunningProgram first;
  HWND firstBar = first.WaitForBar();
  EXPECT_TRUE(MutexExists("Driftline1"));
  EXPECT_FALSE(MutexExists("Driftline2"));

  RunningProgram second;
  HWND secondBar = second.WaitForBar();
  EXPECT_TRUE(MutexExists("Driftline2"));

  EXPECT_EQ(ExitThroughTheMenuCommand(first, firstBar), 0u);
  EXPECT_EQ(ExitThroughTheMenuCommand(second, secondBar), 0u);
  EXPECT_FALSE(MutexExists("Driftline1"));
  EXPECT_FALSE(MutexExists("Driftline2"));

  RunningProgram third;
  HWND thirdBar = third.WaitForBar();
  EXPECT_TRUE(MutexExists("Driftline1"));
  EXPECT_FALSE(MutexExists("Driftline2"));
  EXPECT_EQ(ExitThroughTheMenuCommand(third, thirdBar), 0u);
}

TEST_F(ProgramLifecycle, LogFileHoldsTheRunFromStartingToClosingAndTheNextRunReplacesIt) {
  for (int run = 0; run < 2; ++run) {
    RunningProgram program("/LOG");
    HWND bar = program.WaitForBar();
    EXPECT_EQ(ExitThroughTheMenuCommand(program, bar), 0u);
    const auto lines = SplitLines(ReadWholeFile(ProgramLogPath()));
    ASSERT_GE(lines.size(), 2u) << "run " << run;
    EXPECT_THAT(lines.front(), EndsWith(" - Driftline Starting"));
    EXPECT_THAT(lines.back(), EndsWith(" - Driftline closing"));
    // Date, a blank, time, " - ", message.
    EXPECT_TRUE(std::regex_match(lines.front(), std::regex("[^ ]+ .+ - Driftline Starting")))
        << lines.front();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), lines.front()), 1);
  }
}

TEST_F(ProgramLifecycle, DebugWindowShowsTheLinesWhenDebugComesBeforeLog) {
  RunningProgram program("/DEBUG /LOG");
  HWND bar = program.WaitForBar();
  HWND debug = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (debug = FindProcessWindow(program.ProcessId(), "TDebugForm")); }));
  EXPECT_EQ(WindowText(debug), "Debug");
  EXPECT_TRUE(::GetWindowLongA(debug, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  HWND memo = ::FindWindowExA(debug, nullptr, "Edit", nullptr);
  ASSERT_NE(memo, nullptr);
  EXPECT_THAT(WindowText(memo), HasSubstr(" - Driftline Starting"));
  EXPECT_TRUE(::GetWindowLongA(memo, GWL_STYLE) & ES_READONLY);

  // Closing only hides it.
  ::PostMessageA(debug, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(debug); }));
  EXPECT_TRUE(::IsWindow(debug));
  EXPECT_EQ(ExitThroughTheMenuCommand(program, bar), 0u);
}

TEST_F(ProgramLifecycle, LogBeforeDebugKeepsTheFirstLineOutOfTheDebugWindow) {
  RunningProgram program("/LOG /DEBUG /MONITORx");
  HWND bar = program.WaitForBar();
  HWND debug = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (debug = FindProcessWindow(program.ProcessId(), "TDebugForm")); }));
  const std::string shown = WindowText(::FindWindowExA(debug, nullptr, "Edit", nullptr));
  EXPECT_THAT(shown, Not(HasSubstr("Driftline Starting")));
  EXPECT_THAT(shown, HasSubstr(" - Ignored switch: /MONITORx"));
  EXPECT_EQ(ExitThroughTheMenuCommand(program, bar), 0u);
}

TEST_F(ProgramLifecycle, UnknownAndMalformedSwitchesChangeNothingAndCrashNothing) {
  const std::string longParameter(5000, 'x');
  RunningProgram program("/LOG /MONITOR /RPx /RT99999999999 /bogus \"not a file\" " +
                         longParameter + " /INI\"C:\\no such folder\\x.ini\" /RP" + longParameter);
  HWND bar = program.WaitForBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(ExitThroughTheMenuCommand(program, bar), 0u);
  const std::string log = ReadWholeFile(ProgramLogPath());
  EXPECT_THAT(log, HasSubstr(" - Ignored switch: /MONITOR\r\n"));
  EXPECT_THAT(log, HasSubstr(" - Ignored switch: /RPx\r\n"));
  EXPECT_THAT(log, HasSubstr(" - Ignored switch: /RT99999999999\r\n"));
  EXPECT_THAT(log, HasSubstr(" - Ignored switch: /INIC:\\no such folder\\x.ini\r\n"));
  EXPECT_THAT(log, Not(HasSubstr("/bogus")));
}

TEST_F(ProgramLifecycle, AnswersQueryEndSessionAndEndsThroughTheExitSequenceAtEndSession) {
  RunningProgram program("/LOG");
  HWND bar = program.WaitForBar();
  DWORD_PTR answer = 0;
  ASSERT_TRUE(
      ::SendMessageTimeoutA(bar, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(answer, 1u);
  ::SendMessageTimeoutA(bar, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_THAT(SplitLines(ReadWholeFile(ProgramLogPath())).back(), EndsWith(" - Driftline closing"));
}

TEST_F(ProgramLifecycle, ShowLogWithoutLogCreatesAndOpensNothing) {
  RunningProgram program("/SHOWLOG");
  HWND bar = program.WaitForBar();
  EXPECT_EQ(ExitThroughTheMenuCommand(program, bar), 0u);
  EXPECT_EQ(::GetFileAttributesA(ProgramLogPath().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(::GetFileAttributesA((AppDataFolder() + "\\Quorvane").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProgramLifecycle, LogAndShowLogOpenTheFinishedLogFileWithTheShell) {
  const std::string copy = TestProgramFolder() + "opened-log.txt";
  ::DeleteFileA(copy.c_str());
  FileAssociation viewer(".log", copy);
  RunningProgram program("/LOG /SHOWLOG");
  HWND bar = program.WaitForBar();
  EXPECT_EQ(ExitThroughTheMenuCommand(program, bar), 0u);
  ASSERT_TRUE(
      WaitUntil([&] { return ::GetFileAttributesA(copy.c_str()) != INVALID_FILE_ATTRIBUTES; }));
  std::string opened;
  WaitUntil([&] { return !(opened = ReadWholeFile(copy)).empty(); });
  EXPECT_THAT(SplitLines(opened).back(), EndsWith(" - Driftline closing"));
  ::DeleteFileA(copy.c_str());
}

TEST_F(ProgramLifecycle, RightClickMenuOpensTheFileDialogAndItsExitItemEndsTheProgram) {
  RunningProgram program;
  HWND bar = program.WaitForBar();
  RECT bounds{};
  ::GetWindowRect(bar, &bounds);
  const auto chooseFromMenu = [&](char accelerator) {
    ClickAt({bounds.left + 40, (bounds.top + bounds.bottom) / 2}, MOUSEEVENTF_RIGHTDOWN,
            MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitForOpenMenu()) << "no popup menu";
    PressKey(accelerator);
  };
  chooseFromMenu('L');  // &Load File
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (dialog = FindProcessWindow(program.ProcessId(), "#32770")) != nullptr;
  })) << "no file dialog";
  ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
  chooseFromMenu('X');  // E&xit
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
