// The running program on a news feed served from loopback: the headlines on the bar, and a
// click that opens a story in the browser, with a stand-in registered for http addresses.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "HttpTestServer.h"
#include "ProgramOnSettings.h"

using namespace testing_support;
using testing::HasSubstr;

namespace {

std::string Item(const std::string& title, const std::string& link) {
  return "<item><title>" + title + "</title><link>" + link + "</link></item>";
}

std::string Feed(const std::string& items) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\"><channel>"
         "<title>News</title>" +
         items + "</channel></rss>\n";
}

class ProgramFeed : public ProgramOnSettings {
 protected:
  void SetUp() override {
    ProgramOnSettings::SetUp();
    ::DeleteFileA(opened.c_str());
  }
  void TearDown() override {
    ProgramOnSettings::TearDown();
    ::DeleteFileA(opened.c_str());
  }

  // Reloading every 300 ms; vertical mode shows the first headline and keeps it there.
  std::unique_ptr<RunningProgram> StartOn(const HttpTestServer& server, bool vertical) {
    return Start("UseAutoReload=1\r\nGetFileDelay=300\r\nVertical=" +
                     std::string(vertical ? "1" : "0") + "\r\nVertLineDelay=600000\r\n",
                 "/LOG " + server.Url("/news/feed.xml"));
  }
  static size_t LogCount(const std::string& part) {
    return CountOf(ReadWholeFile(ProgramLogPath()), part);
  }
  // The middle of the bar, or near its right end, where a scrolling text enters first.
  static POINT Middle(HWND bar) {
    const RECT bounds = BoundsOf(bar);
    return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  }
  // The middle of the widest stretch of text in the marquee, wherever the installed fonts
  // have put it; false until the stretch is wide enough to click into.
  static bool TextColumnIn(const RECT& marquee, POINT& at) {
    const std::vector<COLORREF> pixels = CaptureScreen(marquee);
    const LONG width = marquee.right - marquee.left;
    const auto textIn = [&](LONG x) {
      for (size_t i = x; i < pixels.size(); i += width) {
        if (IsNearlyMaroon(pixels[i])) return true;
      }
      return false;
    };
    LONG bestLeft = 0, bestRight = -1, left = -1, last = -100;
    for (LONG x = 0; x < width; ++x) {
      if (!textIn(x)) continue;
      if (x - last > 12) left = x;  // wider than the gap between two characters
      last = x;
      if (x - left > bestRight - bestLeft) bestLeft = left, bestRight = x;
    }
    at = {marquee.left + (bestLeft + bestRight) / 2, (marquee.top + marquee.bottom) / 2};
    return bestRight - bestLeft >= 80;
  }
  std::string Opened() const { return ReadWholeFile(opened); }

  const std::string opened = TestProgramFolder() + "opened-links.txt";
};

// A quote and blanks in the link stay in the one argument that the browser gets.
TEST_F(ProgramFeed, ShowsTheHeadlinesAndAClickOpensTheStory) {
  HttpTestServer server([](const HttpRequest&) {
    return HttpResponse{200, "Content-Type: application/rss+xml\r\n",
                        Feed(Item("Rates held &amp; steady", "../1&quot; --new-window &quot;x") +
                             Item("Second", "/story/2"))};
  });
  BrowserStandIn browser(opened);
  auto program = StartOn(server, true);
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil(
      [&] { return LogCount("Feed: 2 headlines from " + server.Url("/news/feed.xml")); }));
  // The press takes the story under it: the headline must be on the bar by then.
  ASSERT_TRUE(WaitUntil([] { return LogCount("Received Windows message: WParam: 2"); }));
  const std::string story = server.Url("/1%22%20--new-window%20%22x");
  ClickAt(Middle(bar));
  ASSERT_TRUE(WaitUntil([&] { return Opened() == story + "\r\n"; })) << Opened();
  EXPECT_EQ(LogCount("Open link: " + story), 1u);
  Exit(*program, bar);
}

TEST_F(ProgramFeed, ADoubleClickOnAVerticalHeadlineOpensNothing) {
  HttpTestServer server([](const HttpRequest&) {
    return HttpResponse{200, "", Feed(Item("Held", "/story/held"))};
  });
  BrowserStandIn browser(opened);
  auto program = StartOn(server, true);
  HWND bar = program->WaitForBar();
  // Reported on the bar's thread as it takes the headline, so the clicks come after.
  ASSERT_TRUE(WaitUntil([] { return LogCount("Received Windows message: WParam: 2"); }));
  ClickAt(Middle(bar));
  ClickAt(Middle(bar));
  // Twice the double-click time: a single click would have opened the story by now.
  ::Sleep(2 * ::GetDoubleClickTime());
  EXPECT_EQ(Opened(), "");
  ClickAt(Middle(bar));  // the same spot holds the headline: the double click was on it
  EXPECT_TRUE(WaitUntil([&] { return Opened() == server.Url("/story/held") + "\r\n"; }))
      << Opened();
  Exit(*program, bar);
}

TEST_F(ProgramFeed, AClickOnTheScrollingHeadlineOpensItsStoryAndADoubleClickPausesInstead) {
  // Numbers, not one letter repeated: a text that repeats itself can look unmoved after a move.
  std::string title;
  for (int i = 0; i < 40; ++i) title += std::to_string(i) + ' ';
  HttpTestServer server([&](const HttpRequest&) {
    return HttpResponse{200, "", Feed(Item(title, "http://127.0.0.1:1/story"))};
  });
  BrowserStandIn browser(opened);
  // No reload: each one would end the pause.
  // At the bottom: Wine's tray window comes and goes over the top-left corner.
  auto program = Start("Vertical=0\r\nUseAutoReload=0\r\nBottom=1\r\n",
                       "/LOG " + server.Url("/news/feed.xml"));
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return DockedAtTheBottom(bar); }));
  ASSERT_TRUE(WaitUntil([] { return LogCount("Feed: 1 headlines from ") == 1; }));
  const RECT marquee = BoundsOf(::FindWindowExA(bar, nullptr, "TMarquee", nullptr));
  POINT at{};
  ASSERT_TRUE(WaitUntil([&] { return TextColumnIn(marquee, at); }));

  ClickAt(at);
  ClickAt(at);
  // Paused once the text stays where it is over a few of the marquee's steps.
  std::vector<COLORREF> held;
  ASSERT_TRUE(WaitUntil([&] {
    held = CaptureScreen(marquee);
    ::Sleep(300);
    return CaptureScreen(marquee) == held;
  }));
  // Twice the double-click time: a single click would have opened the story by now.
  ::Sleep(2 * ::GetDoubleClickTime());
  EXPECT_EQ(CaptureScreen(marquee), held) << "paused";
  EXPECT_EQ(Opened(), "");
  EXPECT_EQ(LogCount("Open link: "), 0u);

  ClickAt(at);
  ClickAt(at);  // resumes
  EXPECT_TRUE(WaitUntil([&] { return CaptureScreen(marquee) != held; })) << "resumed";
  ::Sleep(2 * ::GetDoubleClickTime());
  ASSERT_TRUE(WaitUntil([&] { return TextColumnIn(marquee, at); }));
  ClickAt(at);
  EXPECT_TRUE(WaitUntil([&] { return Opened() == "http://127.0.0.1:1/story\r\n"; })) << Opened();
  Exit(*program, bar);
}

// A WordPress-style feed with a bare "&" in its link and HTML names XML lacks: shown after its
// repairs. A drag over the headline opens nothing; a click opens its story.
TEST_F(ProgramFeed, ASloppyFeedIsRepairedAndOnlyAClickOpensItsStory) {
  HttpTestServer server([](const HttpRequest&) {
    return HttpResponse{200, "",
                        Feed("<item><title>Rates&rsquo; rise</title><description>"
                             "AT&T&nbsp;view</description><link>/story?p=1&c=2</link>"
                             "</item>")};
  });
  BrowserStandIn browser(opened);
  auto program = StartOn(server, true);
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil(
      [&] { return LogCount("Feed: repaired " + server.Url("/news/feed.xml") + " (4 fixes)"); }));
  ASSERT_TRUE(WaitUntil([] { return LogCount("Received Windows message: WParam: 2"); }));
  const POINT middle = Middle(bar);
  {
    MouseDrag drag(middle);
    drag.MoveTo({middle.x + 60, middle.y});
  }
  // Twice the double-click time: a click would have opened the story by now.
  ::Sleep(2 * ::GetDoubleClickTime());
  EXPECT_EQ(LogCount("Open link: "), 0u);
  ClickAt({middle.x - 150, middle.y});
  // The log, not the stand-in: its command line would split the address at the "&".
  EXPECT_TRUE(WaitUntil([&] { return LogCount("Open link: " + server.Url("/story?p=1&c=2")); }));
  Exit(*program, bar);
}

TEST_F(ProgramFeed, ABrokenFeedAfterAGoodOneKeepsTheGoodHeadlines) {
  std::atomic<bool> broken{false};
  HttpTestServer server([&](const HttpRequest&) {
    if (broken) {
      return HttpResponse{200, "Last-Modified: Tue, 08 Dec 2026 06:00:00 GMT\r\n",
                          "<rss><channel><item><title>half"};
    }
    return HttpResponse{200, "Last-Modified: Mon, 07 Dec 2026 06:00:00 GMT\r\n",
                        Feed(Item("Good", "/story/good"))};
  });
  BrowserStandIn browser(opened);
  auto program = StartOn(server, true);
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([] { return LogCount("Feed: 1 headlines from ") == 1; }));
  broken = true;
  // The failed read keeps no Last-Modified value, so the next check reads again.
  ASSERT_TRUE(WaitUntil([] { return LogCount("Feed: cannot read ") >= 2; }));
  EXPECT_THAT(ReadWholeFile(ProgramLogPath()),
              HasSubstr("Feed: cannot read " + server.Url("/news/feed.xml") + ": "));
  ClickAt(Middle(bar));
  EXPECT_TRUE(WaitUntil([&] { return Opened() == server.Url("/story/good") + "\r\n"; }))
      << Opened();
  Exit(*program, bar);
}

}  // namespace
