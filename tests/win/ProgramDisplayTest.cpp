// What the running bar shows on the screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Commands.h"
#include "ProgramDriver.h"

using namespace testing_support;

namespace {

std::vector<COLORREF> CaptureRow(const RECT& area) {
  HDC screen = ::GetDC(nullptr);
  std::vector<COLORREF> pixels;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) pixels.push_back(::GetPixel(screen, x, y));
  }
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

bool IsNearlyMaroon(COLORREF c) {
  return GetRValue(c) >= 96 && GetRValue(c) <= 160 && GetGValue(c) < 48 && GetBValue(c) < 48;
}

TEST(ProgramDisplay, TheBarScrollsMaroonTextOnTheButtonFaceColour) {
  ResetProgramState();
  RunningProgram program;
  HWND bar = program.WaitForBar();
  ASSERT_NE(bar, nullptr);
  RECT bounds{};
  ::GetWindowRect(bar, &bounds);
  // The text enters at the right edge: watch the right-hand end of the bar.
  const RECT area{bounds.right - 160, bounds.top, bounds.right, bounds.bottom};
  std::vector<COLORREF> first;
  ASSERT_TRUE(WaitUntil([&] {
    first = CaptureRow(area);
    return std::count_if(first.begin(), first.end(), IsNearlyMaroon) > 20;
  }));
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_GT(std::count(first.begin(), first.end(), face), static_cast<long>(first.size() / 2));
  EXPECT_TRUE(WaitUntil([&] { return CaptureRow(area) != first; })) << "the text does not move";
  ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

class ProgramLogo : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override {
    ResetProgramState();
    ::DeleteFileA(ini_.c_str());
    ::DeleteFileA(logo_.c_str());
  }
  const std::string ini_ = TestProgramFolder() + "logo.ini";
  const std::string logo_ = TempFilePath("driftline-logo.bmp");
};

TEST_P(ProgramLogo, IsDrawnStretchedOverTheFullHeightAtItsEnd) {
  const bool right = GetParam();
  WriteBitmap(logo_, 40, 20);
  WriteWholeFile(ini_, std::string("[Settings]\r\nFrame=0\r\nUseLogo=1\r\nLogoRight=") +
                           (right ? "1" : "0") + "\r\nLogoFile=" + logo_ + "\r\n");
  RunningProgram program("/INI\"" + ini_ + "\"");
  HWND bar = program.WaitForBar();
  ASSERT_NE(bar, nullptr);
  RECT bounds{};
  ::GetWindowRect(bar, &bounds);
  const LONG height = bounds.bottom - bounds.top;
  const LONG width = 2 * height;  // the picture is twice as wide as high
  const LONG left = right ? bounds.right - width : bounds.left;
  const auto grey = [](COLORREF c) { return c == RGB(0x40, 0x40, 0x40); };
  const RECT logo{left, bounds.top, left + width, bounds.bottom};
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<COLORREF> pixels = CaptureRow(logo);
    return std::all_of(pixels.begin(), pixels.end(), grey);
  })) << "the logo box";
  const LONG beside = right ? left - 20 : left + width;
  const std::vector<COLORREF> next = CaptureRow({beside, bounds.top, beside + 20, bounds.bottom});
  EXPECT_TRUE(std::none_of(next.begin(), next.end(), grey)) << "beside the logo";
  ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramLogo, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "AtTheRight" : "AtTheLeft";
                         });

}  // namespace
