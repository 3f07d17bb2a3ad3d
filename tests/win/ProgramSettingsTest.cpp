// The program's stored values seen from outside: defaults, a restart, the delayed save, the
// forced ini file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Commands.h"
#include "ProgramDriver.h"

using namespace testing_support;
using testing::HasSubstr;

namespace {

constexpr const char* kKey = "Software\\Quorvane\\Driftline\\1";

std::string StoredString(const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (::RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return "<absent>";
  }
  return value;
}

DWORD StoredNumber(const char* name) {
  DWORD value = 0xDEADBEEF;
  DWORD size = sizeof value;
  ::RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}

DWORD StoredValueCount() {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD count = 0;
  ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                     nullptr, nullptr, nullptr);
  ::RegCloseKey(key);
  return count;
}

class ProgramSettings : public testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override { ResetProgramState(); }

  static void RunAndExit(const std::string& arguments = {}) {
    RunningProgram program(arguments);
    HWND bar = program.WaitForBar();
    ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
};

TEST_F(ProgramSettings, AnEmptyStoreGivesEveryDefaultAndTheExitSavesThemAll) {
  RunAndExit();
  EXPECT_EQ(StoredValueCount(), 51u);
  EXPECT_EQ(StoredNumber("ActiveTab"), 0u);
  EXPECT_EQ(StoredNumber("Amount"), 1u);
  EXPECT_EQ(StoredNumber("Delay"), 1u);
  EXPECT_EQ(StoredNumber("Color"), 0xFF00000Fu);
  EXPECT_EQ(StoredNumber("FontColor"), 128u);
  EXPECT_EQ(StoredNumber("FontSize"), 12u);
  EXPECT_EQ(StoredNumber("VertLineDelay"), 3000u);
  EXPECT_EQ(StoredNumber("FloatRight"), 450u);
  EXPECT_EQ(StoredString("FontName"), "MS Sans Serif");
  EXPECT_EQ(StoredString("AlwaysOnTop"), "1");
  EXPECT_EQ(StoredString("Frame"), "1");
  EXPECT_EQ(StoredString("ShowOnChange"), "1");
  EXPECT_EQ(StoredString("Float"), "0");
  EXPECT_EQ(StoredString("File"), "");
  EXPECT_EQ(StoredString("FeedSeparator"), "  +++");
}

TEST_F(ProgramSettings, StoredValuesSurviveARunAndOutOfRangeOnesAreClampedWithALogLine) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
            ERROR_SUCCESS);
  const DWORD delay = 40, amount = 300;
  ::RegSetValueExA(key, "Delay", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&delay), 4);
  ::RegSetValueExA(key, "Amount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&amount), 4);
  ::RegSetValueExA(key, "CommentStr", 0, REG_SZ, reinterpret_cast<const BYTE*>("REM"), 4);
  ::RegCloseKey(key);

  RunAndExit("/LOG");
  EXPECT_EQ(StoredNumber("Delay"), 40u);
  EXPECT_EQ(StoredNumber("Amount"), 20u);
  EXPECT_EQ(StoredString("CommentStr"), "REM");
  EXPECT_THAT(ReadWholeFile(ProgramLogPath()), HasSubstr(" - Settings: Amount 300"));
}

TEST_F(ProgramSettings, SpeedKeysAreSavedOnce2345MillisecondsAfterTheLastKey) {
  RunningProgram program("/LOG");
  HWND bar = program.WaitForBar();
  DWORD lastKey = 0;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) ::Sleep(300);  // keys some time apart, each well within the save delay
    ::PostMessageA(bar, WM_KEYDOWN, VK_DOWN, 0);
    lastKey = ::GetTickCount();
  }
  const std::string save = "Settings: SaveSettings: HKEY_CURRENT_USER";
  ASSERT_TRUE(WaitUntil([&] { return CountOf(ReadWholeFile(ProgramLogPath()), save) > 0; }));
  const DWORD saved = ::GetTickCount();
  EXPECT_GE(saved - lastKey, 2300u);
  // The log line comes just before the values are written.
  EXPECT_TRUE(WaitUntil([] { return StoredNumber("Delay") == 15u; }, 2000)) << "1 -> 3 -> 7 -> 15";
  ::Sleep(300);
  EXPECT_EQ(CountOf(ReadWholeFile(ProgramLogPath()), save), 1u);
  ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(ProgramSettings, AForcedIniFileIsUsedAloneAndKeepsWhatElseItHolds) {
  const std::string ini = TestProgramFolder() + "forced.ini";
  WriteWholeFile(ini, "[Other]\r\nkept=yes\r\n[Settings]\r\nDelay=25\r\nFile=C:\\news.txt\r\n");
  RunAndExit("/INI\"" + ini + "\"");
  const std::string text = ReadWholeFile(ini);
  EXPECT_THAT(text, HasSubstr("kept=yes"));
  EXPECT_THAT(text, HasSubstr("Delay=25"));
  EXPECT_THAT(text, HasSubstr("File=C:\\news.txt"));
  EXPECT_THAT(text, HasSubstr("FontName=MS Sans Serif"));
  EXPECT_EQ(StoredValueCount(), 0u) << "nothing went to the registry";
  ::DeleteFileA(ini.c_str());
}

}  // namespace
