// The pointer over the bar's headlines, driven in-process: a hand only where a click would
// open a story.

#include <gtest/gtest.h>

#include <string>

#include "InProcessBar.h"
#include "ProgramDriver.h"

using namespace testing_support;

namespace {

class TickerLinks : public InProcessBar {
 protected:
  void TearDown() override {
    InProcessBar::TearDown();
    ::DeleteFileA(path.c_str());
  }
  // The shell asks the bar for the pointer over its client area.
  bool HandAt(POINT client) {
    POINT screen = client;
    ::ClientToScreen(bar->Handle(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    const LRESULT handled =
        ::SendMessageA(bar->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(bar->Handle()),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return handled == TRUE && ::GetCursor() == ::LoadCursor(nullptr, IDC_HAND);
  }
  bool Arrived(const std::u16string& caption) {
    const core::VerticalLines& labels = bar->VerticalLabels();
    const core::VerticalLabel& top = labels.Label1().top == 0 ? labels.Label1() : labels.Label2();
    return top.caption == caption && labels.Label1().top != labels.Label2().top;
  }

  const std::string path = TempFilePath("driftline-links-feed.xml");
};

TEST_F(TickerLinks, TheCursorIsAHandOnlyOverAHeadlineWithAStory) {
  WriteWholeFile(path,
                 "<rss><channel><item><title>Linked</title><link>http://n.example/1</link></item>"
                 "<item><title>Plain</title></item></channel></rss>");
  Change([&](core::TickerSettings& v) {
    v.Vertical = true;
    v.VertLineDelay = 600000;
    v.File = path;
  });
  bar->ForceRead();
  bar->TimerGetFileTimer();
  RECT client{};
  ::GetClientRect(bar->Handle(), &client);
  const POINT middle{client.right / 2, client.bottom / 2};
  ASSERT_TRUE(PumpUntil([&] { return Arrived(u"Linked  +++"); }));
  EXPECT_TRUE(HandAt(middle));
  EXPECT_EQ(bar->LinkOfShown(bar->ShownLines()[0].substr(6)), "") << "the separator";

  bar->TimerVertLineDelayTimer();
  ASSERT_TRUE(PumpUntil([&] { return Arrived(u"Plain  +++"); }));
  EXPECT_FALSE(HandAt(middle));
}

}  // namespace
