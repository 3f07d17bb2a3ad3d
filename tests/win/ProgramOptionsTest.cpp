// The options dialog in the running program: opened by F8, once at a time, closed by its keys,
// and remembered on the page it showed.

#include <gtest/gtest.h>

#include "ProgramOnSettings.h"
#include "dialogs/Options.h"
#include "platform/FileSystem.h"
// After windows.h, which ProgramDriver.h brings.
#include <commctrl.h>
#include <shlobj.h>

using namespace testing_support;

namespace {

class ProgramOptions : public ProgramOnSettings {
 protected:
  static HWND OpenOptions(RunningProgram& program, HWND bar) {
    ::PostMessageA(bar, WM_KEYDOWN, VK_F8, 0);
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindProcessWindow(program.ProcessId(), "TOptionsForm")); });
    return dialog;
  }
  static bool Closed(HWND dialog) { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }
  static int DialogsOpen() {
    int count = 0;
    for (HWND w = ::FindWindowExA(nullptr, nullptr, "TOptionsForm", nullptr); w;
         w = ::FindWindowExA(nullptr, w, "TOptionsForm", nullptr)) {
      count += ::IsWindowVisible(w) ? 1 : 0;
    }
    return count;
  }
};

TEST_F(ProgramOptions, F8OpensOneDialogThatItsKeysCancel) {
  auto program = Start("HideOnMissing=0\r\n");
  HWND bar = program->WaitForBar();
  HWND dialog = OpenOptions(*program, bar);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Driftline Options");
  // With its settings file named on the command line, the bar has no Settings page.
  EXPECT_EQ(::SendMessageA(::GetDlgItem(dialog, 100), TCM_GETITEMCOUNT, 0, 0), 7);
  RunningProgram second("/INI\"" + TestProgramFolder() + "second.ini\"");
  HWND secondBar = second.WaitForBar();
  ::PostMessageA(secondBar, WM_COMMAND, CMD_OPTIONS, 0);
  ::Sleep(300);  // time for a second dialog that must not come
  EXPECT_EQ(DialogsOpen(), 1);
  ::PostMessageA(secondBar, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(second.WaitForExit(), 0u);

  ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); })) << "Escape";

  dialog = OpenOptions(*program, bar);
  ASSERT_NE(dialog, nullptr);
  ::SendMessageA(::GetDlgItem(dialog, 500), BM_CLICK, 0, 0);  // an Ok-only box
  HWND cancel = ::GetDlgItem(dialog, IDCANCEL);
  ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel), TRUE);
  ::PostMessageA(cancel, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); })) << "Enter on Cancel";
  EXPECT_NE(Saved().find("HideOnMissing=0"), std::string::npos);
  Exit(*program, bar);
  ::DeleteFileA((TestProgramFolder() + "second.ini").c_str());
}

TEST_F(ProgramOptions, ExitWhileOpenSavesAndTheNextRunOpensOnTheLastPage) {
  auto program = Start("Frame=1\r\n");
  HWND bar = program->WaitForBar();
  HWND dialog = OpenOptions(*program, bar);
  ASSERT_NE(dialog, nullptr);
  ::SendMessageA(::GetDlgItem(dialog, 100), TCM_SETCURSEL, 3, 0);  // "Scroll"
  ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(program->WaitForExit(), 0u);
  EXPECT_NE(Saved().find("ActiveTab=3"), std::string::npos);

  program = Start({});
  bar = program->WaitForBar();
  dialog = OpenOptions(*program, bar);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(::SendMessageA(::GetDlgItem(dialog, 100), TCM_GETCURSEL, 0, 0), 3);
  ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); }));
  Exit(*program, bar);
}

// In the registry, where the bar keeps its Settings page: the page past the last.
TEST_F(ProgramOptions, AStoredPageThatIsNoPageOpensMain) {
  const DWORD page = 9;
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quorvane\\Driftline\\1", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(key, "ActiveTab", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&page),
                   sizeof page);
  ::RegCloseKey(key);
  RunningProgram program;
  HWND bar = program.WaitForBar();
  HWND dialog = OpenOptions(program, bar);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(::SendMessageA(::GetDlgItem(dialog, IDC_TABS), TCM_GETCURSEL, 0, 0), kMainPage);
  ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); }));
  Exit(program, bar);
}

// The system may end the process once each window has had the message.
TEST_F(ProgramOptions, LoggingOffWithTheDialogOpenKeepsItsPage) {
  auto program = Start("Frame=1\r\n");
  HWND bar = program->WaitForBar();
  HWND dialog = OpenOptions(*program, bar);
  ASSERT_NE(dialog, nullptr);
  ::SendMessageA(::GetDlgItem(dialog, IDC_TABS), TCM_SETCURFOCUS, kAutoPage, 0);
  for (HWND window : {bar, dialog}) ::SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
  ::SendMessageA(dialog, WM_ENDSESSION, TRUE, 0);
  ::SendMessageA(bar, WM_ENDSESSION, TRUE, 0);
  program->WaitForExit();
  EXPECT_NE(Saved().find("ActiveTab=4"), std::string::npos);
}

// As a user would: Alt+S on the Scroll page, then the keys typed go into the field.
TEST_F(ProgramOptions, AltSOnTheScrollPageTypesIntoScrollDelayAndOkKeepsIt) {
  const std::string news = TempFilePath("driftline-alt-s.txt");
  WriteWholeFile(news, "news\r\n");  // Ok asks nothing
  auto program = Start("Delay=1\r\nAlwaysOnTop=1\r\nFile=" + news + "\r\n");
  HWND bar = program->WaitForBar();
  HWND dialog = OpenOptions(*program, bar);
  ASSERT_NE(dialog, nullptr);
  ::SendMessageA(::GetDlgItem(dialog, IDC_TABS), TCM_SETCURFOCUS, kScrollPage, 0);
  HWND tabs = ::GetDlgItem(dialog, IDC_TABS);
  ::PostMessageA(tabs, WM_SYSKEYDOWN, 'S', 1 << 29);
  ::PostMessageA(tabs, WM_SYSCHAR, 's', 1 << 29);
  HWND delay = ::GetDlgItem(dialog, IDC_DELAY);
  GUITHREADINFO gui{sizeof gui};
  const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
  EXPECT_TRUE(
      WaitUntil([&] { return ::GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == delay; }));
  for (char c : std::string("25")) ::PostMessageA(delay, WM_CHAR, c, 0);
  // Always On Top off too: the bar is no longer topmost once the dialog has closed.
  ::SendMessageA(::GetDlgItem(dialog, IDC_ALWAYS_ON_TOP), BM_CLICK, 0, 0);
  ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); }));
  EXPECT_TRUE(WaitUntil([&] { return (::GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
  Exit(*program, bar);
  EXPECT_NE(Saved().find("\nDelay=25\r\n"), std::string::npos) << "typed over";
  EXPECT_NE(Saved().find("AlwaysOnTop=0"), std::string::npos);
  ::DeleteFileA(news.c_str());
}

// The help page's steps to follow a file that changes by itself: Auto page, "Reload file
// every (seconds)", a number, Ok.
TEST_F(ProgramOptions, TheHelpPagesStepsMakeTheBarFollowItsFile) {
  const std::string news = TempFilePath("driftline-follow.txt");
  WriteWholeFile(news, "first\r\n");
  auto program = Start("File=" + news + "\r\n", "/LOG");
  HWND bar = program->WaitForBar();
  HWND dialog = OpenOptions(*program, bar);
  ASSERT_NE(dialog, nullptr);
  ::SendMessageA(::GetDlgItem(dialog, IDC_TABS), TCM_SETCURFOCUS, kAutoPage, 0);
  ::SendMessageA(::GetDlgItem(dialog, IDC_AUTO_RELOAD), BM_CLICK, 0, 0);
  ::SetWindowTextA(::GetDlgItem(dialog, IDC_RELOAD_TIME), "1");
  ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return Closed(dialog); }));
  const auto reads = [&] { return CountOf(ReadWholeFile(ProgramLogPath()), "Read file " + news); };
  const auto checks = [] {
    return CountOf(ReadWholeFile(ProgramLogPath()), "TimerGetFileTimer get local file");
  };
  // Checks go on by themselves; the file unchanged is not read again.
  const size_t checked = checks();
  ASSERT_TRUE(WaitUntil([&] { return checks() >= checked + 2; }));
  const size_t read = reads();
  WriteWholeFile(news, "second\r\n");
  TouchFile(news, 10);  // the stamp counts in two-second steps
  EXPECT_TRUE(WaitUntil([&] { return reads() > read; }));
  Exit(*program, bar);
  ::DeleteFileA(news.c_str());
}

// The user's ini file would be found first at the next start: it goes. The registry key is
// searched after every ini file, so it may stay.
TEST_F(ProgramOptions, SettingsMovedToAnIniFileForAllUsersLeaveNoIniFileForTheUser) {
  const std::string userIni = AppDataFolder() + "\\Quorvane\\Driftline\\dftline1.ini";
  ::CreateDirectoryA((AppDataFolder() + "\\Quorvane").c_str(), nullptr);
  ::CreateDirectoryA((AppDataFolder() + "\\Quorvane\\Driftline").c_str(), nullptr);
  WriteWholeFile(userIni, "[Settings]\r\nDelay=7\r\n");

  RunningProgram program;
  HWND bar = program.WaitForBar();
  HWND dialog = OpenOptions(program, bar);
  ASSERT_NE(dialog, nullptr);
  ::SendMessageA(::GetDlgItem(dialog, IDC_USE_INI), BM_CLICK, 0, 0);
  ::SendMessageA(::GetDlgItem(dialog, IDC_ALL_USERS), BM_CLICK, 0, 0);
  ::PostMessageA(dialog, WM_CLOSE, 0, 0);  // live choices stay; the bar saves as it closes
  char common[MAX_PATH] = {};
  ::SHGetSpecialFolderPathA(nullptr, common, CSIDL_COMMON_APPDATA, FALSE);
  const std::string allUsersIni = std::string(common) + "\\Quorvane\\Driftline\\dftline1.ini";
  EXPECT_TRUE(WaitUntil(
      [&] { return ::GetFileAttributesA(allUsersIni.c_str()) != INVALID_FILE_ATTRIBUTES; }));
  // The user's copy goes only after the new one is in place, a moment later.
  EXPECT_TRUE(WaitUntil([&] { return !platform::FileExists(userIni); })) << userIni;
  EXPECT_NE(ReadWholeFile(allUsersIni).find("Delay=7"), std::string::npos);
  Exit(program, bar);
}

}  // namespace
