// The log in-process: the debug window, the file, failures, and lines from another thread.

#include "app/TickerLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "ProgramDriver.h"

using namespace testing_support;
using testing::EndsWith;
using testing::HasSubstr;

namespace {

class TickerLogTest : public testing::Test {
 protected:
  void SetUp() override { RemoveTree(vendorFolder()); }
  void TearDown() override { RemoveTree(vendorFolder()); }

  static std::string vendorFolder() { return AppDataFolder() + "\\QuorvaneTest"; }
  static std::string logFolder() { return vendorFolder() + "\\Driftline\\"; }
  // The log is named after the running program: here the test program.
  static std::string logPath() { return logFolder() + "win_tests.log"; }

  static std::string DebugText(TickerLog& log) {
    HWND memo = ::FindWindowExA(log.DebugForm()->Handle(), nullptr, "Edit", nullptr);
    return WindowText(memo);
  }
};

TEST_F(TickerLogTest, DebugWindowShowsEachLineAndComesBackAfterClosing) {
  TickerLog log(nullptr, "\\QuorvaneTest\\Driftline\\");
  log.Log("not shown: the window is off");
  EXPECT_EQ(log.DebugForm(), nullptr);
  log.SetDebugWindow(true);
  log.Log("first");
  ASSERT_NE(log.DebugForm(), nullptr);
  HWND window = log.DebugForm()->Handle();
  EXPECT_TRUE(::IsWindowVisible(window));
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.left, 229);
  EXPECT_EQ(bounds.top, 194);
  EXPECT_EQ(bounds.right - bounds.left, 480);
  EXPECT_EQ(bounds.bottom - bounds.top, 239);

  ::SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(window));
  log.Log("second");
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(log.DebugForm()->Handle(), window) << "the same window, not a new one";
  const auto lines = SplitLines(DebugText(log));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_THAT(lines[0], EndsWith(" - first"));
  EXPECT_THAT(lines[1], EndsWith(" - second"));
  EXPECT_EQ(::GetFileAttributesA(vendorFolder().c_str()), INVALID_FILE_ATTRIBUTES)
      << "the debug window alone creates no folder";
}

TEST_F(TickerLogTest, LinesFromAnotherThreadReachTheDebugWindowOnItsOwnThread) {
  TickerLog log(nullptr, "\\QuorvaneTest\\Driftline\\");
  log.SetDebugWindow(true);
  log.Log("from the window's thread");
  std::thread worker([&] {
    for (int i = 0; i < 50; ++i) log.Log("from the worker " + std::to_string(i));
  });
  worker.join();
  EXPECT_TRUE(PumpUntil([&] { return DebugText(log).find("worker 49") != std::string::npos; }));
  EXPECT_EQ(SplitLines(DebugText(log)).size(), 51u);
}

TEST_F(TickerLogTest, FileLogCreatesTheVendorFolderThenTheProgramFolderAndAppendsEachLine) {
  TickerLog log(nullptr, "\\QuorvaneTest\\Driftline\\");
  log.SetFileLog(true);
  log.Log("one");
  log.Log("two");
  EXPECT_EQ(log.LogFilePath(), logPath());
  const auto lines = SplitLines(ReadWholeFile(logPath()));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_THAT(lines[1], EndsWith(" - two"));
}

TEST_F(TickerLogTest, FileLinesFromSeveralThreadsAreNeverInterleaved) {
  TickerLog log(nullptr, "\\QuorvaneTest\\Driftline\\");
  log.SetFileLog(true);
  log.Log("start");
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([&log, t] {
      for (int i = 0; i < 25; ++i)
        log.Log("thread " + std::to_string(t) + " line " + std::to_string(i));
    });
  }
  for (auto& writer : writers) writer.join();
  const auto lines = SplitLines(ReadWholeFile(logPath()));
  ASSERT_EQ(lines.size(), 101u);
  const std::regex wholeLine(".* - (start|thread . line [0-9]+)");
  for (const auto& line : lines) EXPECT_TRUE(std::regex_match(line, wholeLine)) << line;
}

TEST_F(TickerLogTest, ALockedLogFileTurnsFileLoggingOffAndSaysSoOnceInTheDebugWindow) {
  TickerLog log(nullptr, "\\QuorvaneTest\\Driftline\\");
  log.SetFileLog(true);
  log.Log("written");
  HANDLE lock =
      ::CreateFileA(logPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  log.SetDebugWindow(true);
  log.Log("cannot be written");
  log.Log("after");
  ::CloseHandle(lock);
  EXPECT_FALSE(log.FileLog());
  const std::string shown = DebugText(log);
  EXPECT_THAT(shown, HasSubstr("Could not write the log file " + logPath()));
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 3) << shown;
  EXPECT_EQ(SplitLines(ReadWholeFile(logPath())).size(), 1u);
}

TEST_F(TickerLogTest, AFolderThatCannotBeCreatedIsReportedAndEndsFileLogging) {
  // A file where the vendor folder should be makes both creations fail.
  WriteWholeFile(vendorFolder(), "in the way");
  TickerLog log(nullptr, "\\QuorvaneTest\\Driftline\\");
  log.SetDebugWindow(true);
  log.SetFileLog(true);
  EXPECT_FALSE(log.CheckAppDataDir());
  EXPECT_FALSE(log.FileLog());
  EXPECT_THAT(DebugText(log), HasSubstr(" - Could not create " + vendorFolder() + "\\\r\n"));
  ::DeleteFileA(vendorFolder().c_str());
}

}  // namespace
