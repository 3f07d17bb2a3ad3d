// What the running bar shows on the screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
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

// The vertical mode on a file of lines, a line every 400 ms sliding in in one step, so that the
// band in the bar's middle shows nothing but whole lines.
class ProgramVertical : public ProgramOnSettings {
 protected:
  void TearDown() override {
    if (program_) Exit(*program_, bar_);
    ProgramOnSettings::TearDown();
    ::DeleteFileA(file_.c_str());
  }
  void StartOn(const std::string& text, LONG halfWidth) {
    WriteWholeFile(file_, text);
    program_ =
        Start("File=" + file_ + "\r\nVertical=1\r\nVertLineDelay=400\r\nVertScrollAmount=100\r\n");
    bar_ = program_->WaitForBar();
    ASSERT_TRUE(WaitUntil([&] { return DockedAtTheTop(bar_); }));
    const RECT bounds = BoundsOf(bar_);
    middle_ = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    band_ = {middle_.x - halfWidth, bounds.top, middle_.x + halfWidth, bounds.bottom};
  }
  // The band's picture; empty while it shows no text.
  std::vector<COLORREF> Line() const {
    std::vector<COLORREF> pixels = CaptureScreen(band_);
    if (std::count_if(pixels.begin(), pixels.end(), IsNearlyMaroon) <= 20) pixels.clear();
    return pixels;
  }
  // The first `count` pictures the band shows in turn, each different from the one before.
  std::vector<std::vector<COLORREF>> LinesInTurn(std::size_t count) const {
    std::vector<std::vector<COLORREF>> lines;
    EXPECT_TRUE(WaitUntil([&] {
      std::vector<COLORREF> now = Line();
      if (!now.empty() && (lines.empty() || now != lines.back())) lines.push_back(std::move(now));
      return lines.size() == count;
    })) << "lines seen: "
        << lines.size();
    lines.resize(count);
    return lines;
  }

  POINT middle_{};

 private:
  const std::string file_ = TempFilePath("driftline-lines.txt");
  std::unique_ptr<RunningProgram> program_;
  HWND bar_ = nullptr;
  RECT band_{};
};

TEST_F(ProgramVertical, EachLineComesInTurnAndADoubleClickHoldsTheBandUntilTheNext) {
  ASSERT_NO_FATAL_FAILURE(StartOn("First line\r\nSecond line\r\nThird line\r\n", 150));
  const std::vector<std::vector<COLORREF>> lines = LinesInTurn(4);
  ASSERT_FALSE(lines[3].empty());
  EXPECT_NE(lines[0], lines[1]);
  EXPECT_NE(lines[1], lines[2]);
  EXPECT_EQ(lines[3], lines[0]) << "after the third line, the first again";

  ClickAt(middle_);
  ClickAt(middle_);
  // Paused once the band stays as it is for longer than a line delay.
  std::vector<COLORREF> held;
  ASSERT_TRUE(WaitUntil([&] {
    held = Line();
    ::Sleep(450);
    return Line() == held;
  }));
  for (int i = 0; i < 8; ++i) {  // two line delays
    ::Sleep(100);
    ASSERT_EQ(Line(), held) << "paused";
  }
  ClickAt(middle_);
  ClickAt(middle_);
  EXPECT_TRUE(WaitUntil([&] { return Line() != held; }, 3000)) << "resumed";
}

// A UTF-8 file in four scripts is drawn as written: its line looks neither like the question
// marks a code page would leave nor like characters that no font has.
TEST_F(ProgramVertical, AUtf8FileInFourScriptsShowsEveryCharacter) {
  ASSERT_NO_FATAL_FAILURE(
      StartOn("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C "
              "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97\r\n"
              "????? ????? ???? ???\r\n"
              "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C "
              "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xEE\x80\x80\xEE\x80\x81\xEE\x80\x82\r\n",
              250));
  const std::vector<std::vector<COLORREF>> lines = LinesInTurn(4);
  ASSERT_FALSE(lines[3].empty());
  EXPECT_EQ(lines[3], lines[0]) << "the three lines in turn";
  EXPECT_NE(lines[0], lines[1]) << "question marks";
  EXPECT_NE(lines[0], lines[2]) << "the Chinese characters are not drawn";
}

}  // namespace
