// A list of sources in-process: the bar on an OPML list of sources on a scripted server, and the
// Sources dialog's list over a restart.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "HttpTestServer.h"
#include "InProcessBar.h"
#include "app/Commands.h"
#include "dialogs/Sources.h"
#include "platform/WinInet.h"

using namespace testing_support;

namespace {

std::string Outline(const std::string& name, const std::string& address) {
  return "<outline text=\"" + name + "\" xmlUrl=\"" + address + "\"/>";
}

std::string Feed(const std::string& title, const std::string& link) {
  return "<rss version=\"2.0\"><channel><item><title>" + title + "</title><link>" + link +
         "</link></item></channel></rss>";
}

class TickerSources : public InProcessBar {
 protected:
  void SetUp() override {
    InProcessBar::SetUp();
    bar->LogSink().SetFileLog(true);
  }
  void TearDown() override {
    InProcessBar::TearDown();
    ::DeleteFileA(list.c_str());
    ::DeleteFileA(file.c_str());
  }

  // The bar's source becomes a list of these outlines, read now.
  void ShowList(const std::string& outlines) {
    WriteWholeFile(list, "<opml version=\"2.0\"><body>" + outlines + "</body></opml>");
    Change([&](core::TickerSettings& v) { v.File = list; });
    bar->ReadSourceNow();
  }
  // The lines the bar shows, each ended by "|".
  std::string Lines() const {
    std::string lines;
    for (const std::u16string_view line : bar->ShownLines()) {
      lines.append(core::Utf8OfUtf16(line)) += '|';
    }
    return lines;
  }
  bool Shows(const std::string& lines) {
    return PumpUntil([&] { return Lines() == lines; }, 20000);
  }
  std::string LogText() const { return ReadWholeFile(bar->LogSink().LogFilePath()); }
  void Reload(int delayMs) {
    Change([delayMs](core::TickerSettings& v) {
      v.UseAutoReload = true;
      v.GetFileDelay = delayMs;
    });
  }

  const std::string list = TempFilePath("driftline-sources.opml");
  const std::string file = TempFilePath("driftline-source.txt");
};

TEST_F(TickerSources, ShowEachFeedAndFileBehindItsNameWithItsStories) {
  HttpTestServer server([&](const HttpRequest& request) {
    const std::string name = request.path == "/a.xml" ? "Alpha" : "Beta";
    return HttpResponse{200, "", Feed(name + " news", "/story/" + name)};
  });
  WriteWholeFile(file, "from a file\r\n");
  ShowList(Outline("A", server.Url("/a.xml")) + Outline("B", server.Url("/b.xml")) +
           "<outline text=\"F\" url=\"" + file + "\"/>");
  ASSERT_TRUE(Shows("A: Alpha news  +++|B: Beta news  +++|F: from a file|")) << Lines();
  EXPECT_EQ(bar->LinkOfShown(bar->ShownLines().at(1)), server.Url("/story/Beta"));
}

TEST_F(TickerSources, AFailingSourceKeepsItsLinesWhileAnotherChanges) {
  std::atomic<bool> later{false};
  HttpTestServer server([&](const HttpRequest& request) {
    if (request.path == "/a.txt") {
      return later ? HttpResponse{500, "", "down\n"} : HttpResponse{200, "", "a1\n"};
    }
    return HttpResponse{200, "", later ? "b2\n" : "b1\n"};
  });
  Reload(300);
  ShowList(Outline("A", server.Url("/a.txt")) + Outline("B", server.Url("/b.txt")));
  ASSERT_TRUE(Shows("A: a1|B: b1|")) << Lines();
  later = true;
  ASSERT_TRUE(Shows("A: a1|B: b2|")) << Lines();
  const std::string failure = "Source A: GetFileUrlContents: HTTP status 500";
  ASSERT_TRUE(PumpUntil([&] { return LogText().find(failure) != std::string::npos; }));
  EXPECT_EQ(Lines(), "A: a1|B: b2|");
}

TEST_F(TickerSources, TheDialogsOkWritesAListThatARestartShows) {
  HttpTestServer server([](const HttpRequest&) { return HttpResponse{200, "", "kept\n"}; });
  {
    TSourcesForm dialog(*bar, bar->Handle());
    ::SetDlgItemTextA(dialog.Handle(), IDC_SOURCE_NAME, "Mine");
    ::SetDlgItemTextA(dialog.Handle(), IDC_SOURCE_ADDRESS, server.Url("/mine.txt").c_str());
    ::SendDlgItemMessageA(dialog.Handle(), IDC_SOURCE_ADD, BM_CLICK, 0, 0);
    ::SendDlgItemMessageA(dialog.Handle(), IDOK, BM_CLICK, 0, 0);
  }
  EXPECT_EQ(bar->Values().File, AppDataFolder() + "\\Quorvane\\Driftline\\sources.opml");
  bar.reset();
  bar = std::make_unique<TForm1>(*application);
  EXPECT_TRUE(Shows("Mine: kept|")) << Lines();
}

// A list from the web reaches nothing but the web, however its entries point at this machine;
// sent again unchanged by a server that names no versions, it is not read again.
TEST_F(TickerSources, AListOnTheWebShowsItsFeedsAndNoLocalFile) {
  WriteWholeFile(file, "private\r\n");
  Reload(1);
  HttpTestServer server([&](const HttpRequest& request) {
    if (request.path != "/list.opml") return HttpResponse{200, "", Feed("Public", "/p")};
    return HttpResponse{200, "",
                        "<opml version=\"2.0\"><body>" + Outline("F", file) +
                            Outline("W", server.Url("/feed.xml")) + "</body></opml>"};
  });
  Change([&](core::TickerSettings& v) {
    v.UseFileUrl = true;
    v.FileUrl = server.Url("/list.opml");
  });
  bar->ReadSourceNow();
  ASSERT_TRUE(Shows("W: Public  +++|")) << Lines();
  ASSERT_TRUE(PumpUntil([&] { return server.RequestCount() >= 4; }));
  EXPECT_EQ(CountOf(LogText(), "from a list on the web: only web addresses"), 1u);
}

// Two servers that never answer and one that sends the bar back to itself, listed first, hold
// back neither the good feeds nor their changes; the looping one is asked once a second at most.
TEST_F(TickerSources, SilentAndLoopingServersDoNotHoldBackTheGoodFeeds) {
  std::atomic<int> edition{1};
  HttpTestServer server([&](const HttpRequest& request) {
    if (request.path.starts_with("/silent"))
      return HttpResponse{200, "", "", HttpFault::StallHeaders};
    if (request.path == "/loop") return HttpResponse{302, "Location: /loop\r\n", ""};
    return HttpResponse{200, "", Feed(request.path + " " + std::to_string(edition.load()), "/s")};
  });
  bar->SetWebLimits({.timeoutMs = 500, .deadlineMs = 1000});
  Reload(1);
  const DWORD start = ::GetTickCount();
  ShowList(Outline("S", server.Url("/silent1")) + Outline("T", server.Url("/silent2")) +
           Outline("L", server.Url("/loop")) + Outline("A", server.Url("/a")) +
           Outline("B", server.Url("/b")));
  ASSERT_TRUE(Shows("A: /a 1  +++|B: /b 1  +++|")) << Lines();
  edition = 2;
  ASSERT_TRUE(Shows("A: /a 2  +++|B: /b 2  +++|")) << Lines();
  int loops = 0;
  for (const HttpRequest& request : server.Requests()) loops += request.path == "/loop";
  EXPECT_LE(loops, static_cast<int>((::GetTickCount() - start) / 1000) + 1);
}

// Written again by the dialog, the list keeps what its sources' servers said; Refresh now then
// asks at once whether they changed (a forced download by either would carry no condition).
TEST_F(TickerSources, ASourceThatStaysIsAskedConditionallyAfterTheListIsWrittenAndOnRefresh) {
  HttpTestServer server([](const HttpRequest&) {
    return HttpResponse{200, "ETag: \"1\"\r\n", "k\n"};
  });
  ASSERT_TRUE(bar->UseSources({{"Mine", server.Url()}}));
  ASSERT_TRUE(Shows("Mine: k|")) << Lines();
  ASSERT_TRUE(bar->UseSources(bar->Sources()));
  ::SendMessageA(bar->Handle(), WM_COMMAND, CMD_REFRESH, 0);
  ASSERT_TRUE(PumpUntil([&] { return server.RequestCount() >= 2; }));
  EXPECT_THAT(server.Requests()[1].text, testing::HasSubstr("If-None-Match: \"1\"\r\n"));
}

// A failing source is seen without the log: in the tray icon's tip, and in the Sources dialog
// in plain words beside a good one's last check.
TEST_F(TickerSources, AFailingSourceIsToldInTheTrayTipAndTheDialog) {
  HttpTestServer server([](const HttpRequest& request) {
    return request.path == "/gone" ? HttpResponse{404, "", "no\n"} : HttpResponse{200, "", "k\n"};
  });
  ShowList(Outline("G", server.Url("/gone")) + Outline("W", server.Url()));
  ASSERT_TRUE(
      PumpUntil([&] { return bar->TrayIcon().ToolTip() == "Driftline\n1 of 2 sources failing"; }));
  TSourcesForm dialog(*bar, bar->Handle());
  char row[512] = {};
  ::SendDlgItemMessageA(dialog.Handle(), IDC_SOURCE_LIST, LB_GETTEXT, 0,
                        reinterpret_cast<LPARAM>(row));
  EXPECT_THAT(std::string(row), testing::EndsWith("\tnot found (404)"));
  ::SendDlgItemMessageA(dialog.Handle(), IDC_SOURCE_LIST, LB_GETTEXT, 1,
                        reinterpret_cast<LPARAM>(row));
  EXPECT_THAT(std::string(row),
              testing::AllOf(testing::HasSubstr("\tchecked at "), testing::EndsWith(", 1 lines")));
}

// Saves killed halfway leave temporaries behind, under names a later process may be given
// again: they are cleared, and the list is saved. A list file damaged since shows no text.
TEST_F(TickerSources, AListIsSavedAfterKilledSavesAndADamagedOneKeepsTheLastGoodList) {
  HttpTestServer server([](const HttpRequest&) { return HttpResponse{200, "", "kept\n"}; });
  const std::string path = AppDataFolder() + "\\Quorvane\\Driftline\\sources.opml";
  const std::string leftover = path + "." + std::to_string(::GetCurrentProcessId()) + "-";
  ASSERT_TRUE(bar->UseSources({}));
  for (int serial = 1; serial <= 40; ++serial)
    WriteWholeFile(leftover + std::to_string(serial) + ".tmp", "<");
  ASSERT_TRUE(bar->UseSources({{"Mine", server.Url()}}));
  EXPECT_EQ(::GetFileAttributesA((leftover + "40.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(Shows("Mine: kept|")) << Lines();
  WriteWholeFile(path, "\x01\x02 not a list");
  bar->ReadSourceNow();
  ASSERT_TRUE(
      PumpUntil([&] { return LogText().find("is not a list of sources") != std::string::npos; }));
  EXPECT_EQ(Lines(), "Mine: kept|");
}

// A list file that cannot be read keeps its sources and is looked at less and less often; it and
// a missing file of the list each say so once.
TEST_F(TickerSources, AListFileThatCannotBeReadAndAMissingFileBackOffAndAreLoggedOnce) {
  HttpTestServer server([](const HttpRequest&) { return HttpResponse{200, "", "web\n"}; });
  Reload(100);
  ShowList(Outline("W", server.Url()) + Outline("M", file));
  ASSERT_TRUE(Shows("W: web|")) << Lines();
  const platform::UniqueHandle lock(
      ::CreateFileA(list.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  const size_t checksBefore = CountOf(LogText(), "TimerGetFileTimer\r\n");
  bar->ReadSourceNow();
  const int asked = server.RequestCount();
  ASSERT_TRUE(PumpUntil([&] { return server.RequestCount() >= asked + 2; }));
  const std::string log = LogText();
  EXPECT_EQ(CountOf(log, "Sources: cannot read the list: "), 1u);
  EXPECT_LT(CountOf(log, "TimerGetFileTimer\r\n") - checksBefore, 10u) << "every 100 ms";
  EXPECT_EQ(CountOf(log, "driftline-source.txt is missing"), 1u);
  EXPECT_EQ(Lines(), "W: web|");
}

}  // namespace
