// What the running bar shows on the screen.

#include <gtest/gtest.h>

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

}  // namespace
