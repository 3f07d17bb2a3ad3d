// The About box and the help page in the running program: the About command opens the box over
// the bar, each way out closes it and the program goes on; Help opens the page beside the
// program with the user's program for pages.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ProgramOnSettings.h"
#include "Version.h"

using namespace testing_support;

namespace {

struct ClosingCase {
  const char* what;
  std::function<void(HWND box)> close;
};

class ProgramAbout : public ProgramOnSettings, public testing::WithParamInterface<ClosingCase> {};

TEST_P(ProgramAbout, TheCommandOpensTheBoxThatClosesAndLeavesTheProgramRunning) {
  auto program = Start("HideOnMissing=0\r\n");
  HWND bar = program->WaitForBar();
  ::PostMessageA(bar, WM_COMMAND, CMD_ABOUT, 0);
  HWND box = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (box = FindProcessWindow(program->ProcessId(), "TAboutBox")); }));
  EXPECT_EQ(WindowText(box), "About Driftline");
  EXPECT_NE(::FindWindowExA(box, nullptr, nullptr, "Version " DRIFTLINE_VERSION_TEXT), nullptr);
  GetParam().close(box);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  EXPECT_TRUE(program->Running());
  Exit(*program, bar);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramAbout,
    testing::Values(
        ClosingCase{"ByEnter", [](HWND box) { ::PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0); }},
        ClosingCase{"ByEscape", [](HWND box) { ::PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0); }},
        ClosingCase{"ByTheOkButton",
                    [](HWND box) { ::SendMessageA(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }},
        ClosingCase{"ByTheCloseBox", [](HWND box) { ::PostMessageA(box, WM_CLOSE, 0, 0); }}),
    [](const testing::TestParamInfo<ClosingCase>& info) { return info.param.what; });

using ProgramHelp = ProgramOnSettings;

TEST_F(ProgramHelp, OpensThePageBesideTheProgramWithTheUsersProgramForIt) {
  const std::string page = ReadWholeFile(TestProgramFolder() + "dftline.htm");
  ASSERT_FALSE(page.empty());
  const std::string copy = TestProgramFolder() + "opened-help.htm";
  ::DeleteFileA(copy.c_str());
  {
    FileAssociation viewer(".htm", copy);
    auto program = Start("HideOnMissing=0\r\n");
    HWND bar = program->WaitForBar();
    ::PostMessageA(bar, WM_COMMAND, CMD_HELP, 0);
    EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(copy) == page; }));
    EXPECT_TRUE(program->Running());
    Exit(*program, bar);
  }
  ::DeleteFileA(copy.c_str());
}

}  // namespace
