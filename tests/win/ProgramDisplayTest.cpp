// What the running bar shows on the screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramOnSettings.h"

using namespace testing_support;

namespace {

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
    first = CaptureScreen(area);
    return std::count_if(first.begin(), first.end(), IsNearlyMaroon) > 20;
  }));
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_GT(std::count(first.begin(), first.end(), face), static_cast<long>(first.size() / 2));
  EXPECT_TRUE(WaitUntil([&] { return CaptureScreen(area) != first; })) << "the text does not move";
  ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

class ProgramLogo : public ProgramOnSettings, public testing::WithParamInterface<bool> {
 protected:
  void TearDown() override {
    ProgramOnSettings::TearDown();
    ::DeleteFileA(logo_.c_str());
  }
  const std::string logo_ = TempFilePath("driftline-logo.bmp");
};

TEST_P(ProgramLogo, IsDrawnStretchedOverTheFullHeightAtItsEnd) {
  const bool right = GetParam();
  WriteBitmap(logo_, 40, 20);
  // At the bottom: Wine's tray window comes and goes over the top-left corner.
  auto program = Start(std::string("Frame=0\r\nBottom=1\r\nUseLogo=1\r\nLogoRight=") +
                       (right ? "1" : "0") + "\r\nLogoFile=" + logo_ + "\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheBottom(bar); }));
  RECT bounds{};
  ::GetWindowRect(bar, &bounds);
  const LONG height = bounds.bottom - bounds.top;
  const LONG width = 2 * height;  // the picture is twice as wide as high
  const LONG left = right ? bounds.right - width : bounds.left;
  const auto grey = [](COLORREF c) { return c == RGB(0x40, 0x40, 0x40); };
  const RECT logo{left, bounds.top, left + width, bounds.bottom};
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<COLORREF> pixels = CaptureScreen(logo);
    return std::all_of(pixels.begin(), pixels.end(), grey);
  })) << "the logo box";
  const LONG beside = right ? left - 20 : left + width;
  const std::vector<COLORREF> next =
      CaptureScreen({beside, bounds.top, beside + 20, bounds.bottom});
  EXPECT_TRUE(std::none_of(next.begin(), next.end(), grey)) << "beside the logo";
  Exit(*program, bar);
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramLogo, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "AtTheRight" : "AtTheLeft";
                         });

using ProgramVertical = ProgramOnSettings;

TEST_F(ProgramVertical, EachLineComesInTurnAndADoubleClickHoldsTheBandUntilTheNext) {
  const std::string file = TempFilePath("driftline-lines.txt");
  WriteWholeFile(file, "First line\r\nSecond line\r\nThird line\r\n");
  // A slide of one step: the band shows nothing but whole lines.
  auto program =
      Start("File=" + file + "\r\nVertical=1\r\nVertLineDelay=400\r\nVertScrollAmount=100\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }));
  const RECT bounds = BoundsOf(bar);
  const LONG middle = (bounds.left + bounds.right) / 2;
  const RECT band{middle - 150, bounds.top, middle + 150, bounds.bottom};
  const auto line = [&] {
    const std::vector<COLORREF> pixels = CaptureScreen(band);
    return std::count_if(pixels.begin(), pixels.end(), IsNearlyMaroon) > 20
               ? pixels
               : std::vector<COLORREF>{};
  };
  std::vector<std::vector<COLORREF>> lines;
  ASSERT_TRUE(WaitUntil([&] {
    std::vector<COLORREF> now = line();
    if (!now.empty() && (lines.empty() || now != lines.back())) lines.push_back(std::move(now));
    return lines.size() == 4;
  })) << "lines seen: "
      << lines.size();
  EXPECT_NE(lines[0], lines[1]);
  EXPECT_NE(lines[1], lines[2]);
  EXPECT_EQ(lines[3], lines[0]) << "after the third line, the first again";

  const POINT at{middle, (bounds.top + bounds.bottom) / 2};
  ClickAt(at);
  ClickAt(at);
  // Paused once the band stays as it is for longer than a line delay.
  std::vector<COLORREF> held;
  ASSERT_TRUE(WaitUntil([&] {
    held = line();
    ::Sleep(450);
    return line() == held;
  }));
  for (int i = 0; i < 8; ++i) {  // two line delays
    ::Sleep(100);
    ASSERT_EQ(line(), held) << "paused";
  }
  ClickAt(at);
  ClickAt(at);
  EXPECT_TRUE(WaitUntil([&] { return line() != held; }, 3000)) << "resumed";
  Exit(*program, bar);
  ::DeleteFileA(file.c_str());
}

// A UTF-8 file in four scripts is drawn as written: its line looks neither like the question
// marks a code page would leave nor like characters that no font has.
TEST_F(ProgramVertical, AUtf8FileInFourScriptsShowsEveryCharacter) {
  const std::string file = TempFilePath("driftline-scripts.txt");
  WriteWholeFile(
      file,
      "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C "
      "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97\r\n"
      "????? ????? ???? ???\r\n"
      "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C "
      "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xEE\x80\x80\xEE\x80\x81\xEE\x80\x82\r\n");
  auto program =
      Start("File=" + file + "\r\nVertical=1\r\nVertLineDelay=400\r\nVertScrollAmount=100\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar); }));
  const RECT bounds = BoundsOf(bar);
  const LONG middle = (bounds.left + bounds.right) / 2;
  const RECT band{middle - 250, bounds.top, middle + 250, bounds.bottom};
  std::vector<std::vector<COLORREF>> lines;
  ASSERT_TRUE(WaitUntil([&] {
    std::vector<COLORREF> now = CaptureScreen(band);
    if (std::count_if(now.begin(), now.end(), IsNearlyMaroon) < 20) return false;
    if (lines.empty() || now != lines.back()) lines.push_back(std::move(now));
    return lines.size() == 4;
  })) << "lines seen: "
      << lines.size();
  EXPECT_EQ(lines[3], lines[0]) << "the three lines in turn";
  EXPECT_NE(lines[0], lines[1]) << "question marks";
  EXPECT_NE(lines[0], lines[2]) << "the Chinese characters are not drawn";
  Exit(*program, bar);
  ::DeleteFileA(file.c_str());
}

}  // namespace
