#pragma once
// A fixture that starts dftline.exe on a settings file of the test's own, so that each test
// starts from the values it names and can read what the program saved.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Commands.h"
#include "ProgramDriver.h"

namespace testing_support {

class ProgramOnSettings : public testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    ::DeleteFileA(ini_.c_str());
    // Away from every edge, so that no bar is touched by chance.
    MoveMouseTo({ScreenWidth() / 2, ScreenHeight() / 2});
  }
  void TearDown() override {
    ResetProgramState();
    ::DeleteFileA(ini_.c_str());
  }

  // Starts the program on a settings file holding `settings` ("Name=value\r\n" lines); with
  // none, on the file as the last run left it.
  std::unique_ptr<RunningProgram> Start(const std::string& settings,
                                        const std::string& switches = {}) {
    if (!settings.empty()) WriteWholeFile(ini_, "[Settings]\r\n" + settings);
    return std::make_unique<RunningProgram>("/INI\"" + ini_ + "\" " + switches);
  }
  static void Exit(RunningProgram& program, HWND bar) {
    ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
  std::string Saved() const { return ReadWholeFile(ini_); }

  static int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
  static int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }
  static bool DockedAtTheTop(HWND bar) {
    const RECT bounds = BoundsOf(bar);
    return bounds.left == 0 && bounds.top == 0 && bounds.right == ScreenWidth();
  }
  // The shell's 1-pixel taskbar may keep the bar one pixel above the screen's bottom.
  static bool DockedAtTheBottom(HWND bar) {
    const RECT bounds = BoundsOf(bar);
    return bounds.left == 0 && bounds.right == ScreenWidth() && bounds.bottom >= ScreenHeight() - 1;
  }

 private:
  const std::string ini_ = TestProgramFolder() + "test-settings.ini";
};

}  // namespace testing_support
