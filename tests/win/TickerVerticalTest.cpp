// The vertical mode and the pause, in the bar's own process, driven through its operations:
// the lines' order and the labels' places, never the slide's timing.

#include <gtest/gtest.h>

#include "Commands.h"
#include "InProcessBar.h"

using namespace testing_support;

namespace {

class TickerVertical : public InProcessBar {
 protected:
  void SetUp() override {
    InProcessBar::SetUp();
    path_ = TempFilePath("driftline-vertical.txt");
    WriteWholeFile(path_, "one\r\ntwo\r\nthree\r\n");
    // Only the test's own ticks bring lines; a slide steps every millisecond.
    Change([&](core::TickerSettings& v) {
      v.File = path_;
      v.Vertical = true;
      v.VertLineDelay = 60000;
      v.VertScrollDelay = 1;
      v.VertScrollAmount = 3;
    });
    bar->TimerGetFileTimer();
  }
  void TearDown() override {
    InProcessBar::TearDown();
    ::DeleteFileA(path_.c_str());
  }

  // The label in the bar once a slide has arrived: at the top, the other below it.
  const core::VerticalLabel& Shown() const {
    const core::VerticalLines& labels = bar->VerticalLabels();
    return labels.Label1().top == 0 && labels.Label2().top != 0 ? labels.Label1() : labels.Label2();
  }
  bool Showing(const std::u16string& caption) const {
    const core::VerticalLines& labels = bar->VerticalLabels();
    return (labels.Label1().top == 0) != (labels.Label2().top == 0) && Shown().caption == caption;
  }
  // The line tick, then the slide until its line sits in the bar.
  std::u16string NextLine() {
    bar->TimerVertLineDelayTimer();
    const core::VerticalLines& labels = bar->VerticalLabels();
    const std::u16string caption =
        (labels.IncomingIsLabel2() ? labels.Label2() : labels.Label1()).caption;
    EXPECT_TRUE(PumpUntil([&] { return Showing(caption); })) << testing::PrintToString(caption);
    return caption;
  }

  std::string path_;
};

TEST_F(TickerVertical, ANewTextShowsItsFirstLineAtOnceAndTheLinesComeRound) {
  ASSERT_TRUE(PumpUntil([&] { return Showing(u"one"); }));
  EXPECT_EQ(bar->VerticalLabels().VertLineIndex(), 1);
  EXPECT_EQ(NextLine(), u"two");
  EXPECT_EQ(NextLine(), u"three");
  EXPECT_EQ(NextLine(), u"one");
  EXPECT_FALSE(bar->Marquee().Visible());
  EXPECT_FALSE(bar->Marquee().Enabled());

  Change([](core::TickerSettings& v) { v.Vertical = false; });
  EXPECT_TRUE(bar->Marquee().Visible());
  EXPECT_TRUE(bar->Marquee().Enabled());
}

TEST_F(TickerVertical, APauseLetsASlideArriveAndThenNothingMoves) {
  ASSERT_TRUE(PumpUntil([&] { return Showing(u"one"); }));
  bar->TimerVertLineDelayTimer();
  bar->SetPaused(true);
  EXPECT_TRUE(PumpUntil([&] { return Showing(u"two"); })) << "the slide finishes";
  // A short line delay would bring the next line now, unless paused.
  Change([](core::TickerSettings& v) { v.VertLineDelay = 20; });
  bar->SetPaused(true);
  PumpUntil([] { return false; }, 200);
  EXPECT_TRUE(Showing(u"two"));
  bar->pauseToggle();
  EXPECT_TRUE(PumpUntil([&] { return Showing(u"three"); }));
}

TEST_F(TickerVertical, APauseEndsByItsTimeoutOrAnyReload) {
  Change([](core::TickerSettings& v) {
    v.UnPauseOnTimer = true;
    v.PauseTimeout = 50;
  });
  bar->SetPaused(true);
  EXPECT_TRUE(PumpUntil([&] { return !bar->Paused(); }));

  Change([](core::TickerSettings& v) { v.UnPauseOnTimer = false; });
  bar->SetPaused(true);
  TouchFile(path_, 10);  // read again, unchanged
  bar->TimerGetFileTimer();
  EXPECT_FALSE(bar->Paused());
}

TEST_F(TickerVertical, AHorizontalPauseKeepsTheMarqueesFrameUntilItResumes) {
  Change([](core::TickerSettings& v) {
    v.Vertical = false;
    v.Delay = 5;
  });
  bar->SetPaused(true);
  const std::u16string frame = bar->Marquee().CurrentOutput();
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(bar->Marquee().CurrentOutput(), frame);
  bar->SetPaused(false);
  EXPECT_TRUE(PumpUntil([&] { return bar->Marquee().CurrentOutput() != frame; }));
}

// A resume that arrives while the pause lets waiting messages through wins.
TEST_F(TickerVertical, AResumeDuringAHorizontalPauseKeepsTheMarqueeRunning) {
  Change([](core::TickerSettings& v) { v.Vertical = false; });
  ASSERT_TRUE(bar->Marquee().Enabled());
  ::PostMessageA(bar->Handle(), WM_COMMAND, CMD_PAUSE, 0);
  bar->SetPaused(true);
  EXPECT_FALSE(bar->Paused());
  EXPECT_TRUE(bar->Marquee().Enabled());
}

}  // namespace
