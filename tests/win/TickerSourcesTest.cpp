// A list of sources in-process: the bar on an OPML list of sources on a scripted server, and the
// Sources dialog's list over a restart.

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "HttpTestServer.h"
#include "InProcessBar.h"
#include "dialogs/Sources.h"

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

  const std::string list = TempFilePath("driftline-sources.opml");
};

TEST_F(TickerSources, ShowEachFeedAndFileBehindItsNameWithItsStories) {
  HttpTestServer server([&](const HttpRequest& request) {
    const std::string name = request.path == "/a.xml" ? "Alpha" : "Beta";
    return HttpResponse{200, "", Feed(name + " news", "/story/" + name)};
  });
  const std::string file = TempFilePath("driftline-source.txt");
  WriteWholeFile(file, "from a file\r\n");
  ShowList(Outline("A", server.Url("/a.xml")) + Outline("B", server.Url("/b.xml")) +
           "<outline text=\"F\" url=\"" + file + "\"/>");
  ASSERT_TRUE(Shows("A: Alpha news  +++|B: Beta news  +++|F: from a file|")) << Lines();
  EXPECT_EQ(bar->LinkOfShown(bar->ShownLines().at(1)), server.Url("/story/Beta"));
  ::DeleteFileA(file.c_str());
}

TEST_F(TickerSources, AFailingSourceKeepsItsLinesWhileAnotherChanges) {
  std::atomic<bool> later{false};
  HttpTestServer server([&](const HttpRequest& request) {
    if (request.path == "/a.txt") {
      return later ? HttpResponse{500, "", "down\n"} : HttpResponse{200, "", "a1\n"};
    }
    return HttpResponse{200, "", later ? "b2\n" : "b1\n"};
  });
  Change([](core::TickerSettings& v) {
    v.UseAutoReload = true;
    v.GetFileDelay = 300;
  });
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

}  // namespace
