// The running program on a web text file, served from loopback.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Commands.h"
#include "HttpTestServer.h"
#include "ProgramDriver.h"

using namespace testing_support;
using testing::HasSubstr;

namespace {

class ProgramWeb : public testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    WriteWholeFile(ini, "[Settings]\r\nUseAutoReload=1\r\nGetFileDelay=300\r\n");
  }
  void TearDown() override {
    ResetProgramState();
    ::DeleteFileA(ini.c_str());
  }

  static size_t LogCount(const std::string& part) {
    return CountOf(ReadWholeFile(ProgramLogPath()), part);
  }

  const std::string ini = TestProgramFolder() + "web.ini";
};

TEST_F(ProgramWeb, ShowsTheServedFileAndFollowsItsChanges) {
  HttpTestServer server([](const HttpRequest&) {
    return HttpResponse{200, "Last-Modified: Mon, 01 Dec 2026 10:00:00 GMT\r\n", "first\n"};
  });
  RunningProgram program("/LOG /INI\"" + ini + "\" " + server.Url());
  HWND bar = program.WaitForBar();
  ASSERT_TRUE(WaitUntil([] { return LogCount("Received Windows message: WParam: 2") == 1; }));
  ASSERT_TRUE(WaitUntil([] { return LogCount("Received Windows message: WParam: 1") >= 1; }))
      << "the next reload finds the file unchanged";
  server.Respond({200, "Last-Modified: Tue, 02 Dec 2026 10:00:00 GMT\r\n", "second\n"});
  EXPECT_TRUE(WaitUntil([] { return LogCount("Received Windows message: WParam: 2") == 2; }));
  EXPECT_THAT(ReadWholeFile(ProgramLogPath()),
              HasSubstr("(LastModified:  Tue, 02 Dec 2026 10=00=00 GMT)"));
  EXPECT_THAT(server.Requests().back().text, HasSubstr("User-Agent: Driftline\r\n"));
  ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(ProgramWeb, ExitDuringAStalledDownloadEndsSoonWithTheSettingsSaved) {
  HttpTestServer server([](const HttpRequest&) {
    return HttpResponse{200, "", std::string(100000, 's'), HttpFault::StallBody};
  });
  RunningProgram program("/LOG /INI\"" + ini + "\" " + server.Url());
  HWND bar = program.WaitForBar();
  ASSERT_TRUE(WaitUntil([] { return LogCount("Read Url ") == 1; }));
  ASSERT_TRUE(WaitUntil([&] { return server.RequestCount() == 1; })) << "the download is under way";
  const DWORD start = ::GetTickCount();
  ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(program.WaitForExit(5000), 0u);
  EXPECT_LT(::GetTickCount() - start, 5000u);
  EXPECT_THAT(ReadWholeFile(ini), HasSubstr("FileUrl=" + server.Url()));
  EXPECT_THAT(ReadWholeFile(ProgramLogPath()), HasSubstr("Driftline closing"));
}

}  // namespace
