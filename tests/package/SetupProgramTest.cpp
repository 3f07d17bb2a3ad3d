// The release's setup program and uninstaller, run silently as an administrator's script would:
// what they put in place, what they leave, and what they never touch.

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <future>
#include <string>

#include "Commands.h"
#include "ProgramDriver.h"
#include "Version.h"
#include "core/program/OptionsRules.h"
#include "platform/Handles.h"

using namespace testing_support;

namespace {

constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Driftline";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kSettingsKey = "Software\\Quorvane\\Driftline";

std::string KnownFolder(int csidl) {
  char path[MAX_PATH] = {};
  ::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
  return path;
}

// scripts/package's setup program, named by ctest in Unix form.
std::string SetupFile() {
  const char* given = std::getenv("DRIFTLINE_SETUP");
  std::string path = given ? given : "";
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

DWORD RunToEnd(std::string commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    ADD_FAILURE() << "could not start " << commandLine << ": error " << ::GetLastError();
    return STILL_ACTIVE;
  }
  ::WaitForSingleObject(info.hProcess, 120000);
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(info.hProcess, &code);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return code;
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  ::RegCloseKey(opened);
  return true;
}

std::string ReadString(HKEY root, const std::string& path, const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  if (::RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return "(none)";
  }
  return data;
}

void WriteString(HKEY root, const std::string& path, const char* name, const std::string& data) {
  ::RegSetKeyValueA(root, path.c_str(), name, REG_SZ, data.c_str(),
                    static_cast<DWORD>(data.size() + 1));
}

// The program file's own word on its version, as Explorer's Details page shows it.
std::string ProductVersionOf(const std::string& program) {
  DWORD ignored = 0;
  std::string data(::GetFileVersionInfoSizeA(program.c_str(), &ignored), '\0');
  if (data.empty() ||
      !::GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) {
    return "(none)";
  }
  char* value = nullptr;
  UINT size = 0;
  if (!::VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\ProductVersion",
                        reinterpret_cast<void**>(&value), &size)) {
    return "(none)";
  }
  return value;
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Mode {
  const char* name;
  const char* switches;
  HKEY root;
  int programsCsidl;  // the Start menu's Programs folder
  int baseCsidl;      // where the program's folder goes
  const char* baseBelow;
  int dataCsidl;  // the application-data folder of this mode's settings
};

const Mode kPerUser{"PerUser",           "",
                    HKEY_CURRENT_USER,   CSIDL_PROGRAMS,
                    CSIDL_LOCAL_APPDATA, "\\Programs\\Driftline",
                    CSIDL_APPDATA};
const Mode kAllUsers{"AllUsers",          "/ALLUSERS",   HKEY_LOCAL_MACHINE,  CSIDL_COMMON_PROGRAMS,
                     CSIDL_PROGRAM_FILES, "\\Driftline", CSIDL_COMMON_APPDATA};

class SetupProgram : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(SetupFile())) << "no setup program at \"" << SetupFile() << '"';
    Forget();
  }
  void TearDown() override { Forget(); }

  // Nothing of an earlier test: no bar, no settings, no installation in either mode.
  static void Forget() {
    ResetProgramState();
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Quorvane");
    for (const Mode* mode : {&kPerUser, &kAllUsers}) {
      ::RegDeleteTreeA(mode->root, kUninstallKey);
      ::RegDeleteKeyValueA(mode->root, kRunKey, "Driftline");
      ::DeleteFileA(Shortcut(*mode).c_str());
      RemoveTree(Folder(*mode));
    }
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "OtherTicker");
  }

  static std::string Folder(const Mode& mode) {
    return KnownFolder(mode.baseCsidl) + mode.baseBelow;
  }
  static std::string Shortcut(const Mode& mode) {
    return KnownFolder(mode.programsCsidl) + "\\Driftline.lnk";
  }
  static std::string Program(const Mode& mode) { return Folder(mode) + "\\dftline.exe"; }

  static void Install(const Mode& mode, const std::string& more = {}) {
    ASSERT_EQ(RunToEnd('"' + SetupFile() + "\" /S " + mode.switches + " " + more), 0u);
  }

  // The installed-programs entry's quiet command, as a deployment tool runs it: it returns once
  // the program and the entry are gone; the uninstaller's own file and folder follow as it ends.
  static void Uninstall(const Mode& mode, const std::string& more = {}) {
    std::string command = ReadString(mode.root, kUninstallKey, "QuietUninstallString");
    ASSERT_EQ(RunToEnd(command.insert(command.find(" _?="), " " + more)), 0u);
    EXPECT_FALSE(Exists(Program(mode)));
    EXPECT_FALSE(KeyExists(mode.root, kUninstallKey));
    EXPECT_TRUE(WaitUntil([&] { return !Exists(Folder(mode)); }));
  }

  // Starts the installed bar with its log on, sees its text and leaves it as the user does.
  static void RunInstalledBar(const Mode& mode) {
    RunningProgram program(ProgramFile{Program(mode)}, "/LOG");
    HWND bar = program.WaitForBar();
    ASSERT_NE(bar, nullptr);
    RECT bounds{};
    ::GetWindowRect(bar, &bounds);
    const RECT area{bounds.right - 160, bounds.top, bounds.right, bounds.bottom};
    EXPECT_TRUE(WaitUntil([&] {
      const std::vector<COLORREF> pixels = CaptureScreen(area);
      return std::count_if(pixels.begin(), pixels.end(), IsNearlyMaroon) > 20;
    })) << "the installed bar shows no text";
    ::PostMessageA(bar, WM_COMMAND, CMD_EXIT, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
};

class SetupProgramCycle : public SetupProgram, public testing::WithParamInterface<Mode> {};

TEST_P(SetupProgramCycle, InstallsRunsAndUninstallsKeepingOrRemovingTheSettings) {
  const Mode& mode = GetParam();
  Install(mode);
  for (const char* file : {"\\dftline.exe", "\\dftline.htm", "\\uninstall.exe",
                           "\\policy\\Driftline.admx", "\\policy\\en-US\\Driftline.adml"}) {
    EXPECT_TRUE(Exists(Folder(mode) + file)) << file;
  }
  EXPECT_TRUE(Exists(Shortcut(mode)));
  EXPECT_EQ(ReadString(mode.root, kUninstallKey, "DisplayName"), "Driftline");
  EXPECT_EQ(ReadString(mode.root, kUninstallKey, "DisplayVersion"), DRIFTLINE_VERSION_TEXT);
  EXPECT_EQ(ProductVersionOf(Program(mode)), DRIFTLINE_VERSION_TEXT);
  EXPECT_EQ(ReadString(mode.root, kUninstallKey, "Publisher"), "Quorvane");
  EXPECT_EQ(ReadString(mode.root, kUninstallKey, "QuietUninstallString"),
            '"' + Folder(mode) + "\\uninstall.exe\" /S _?=" + Folder(mode));
  EXPECT_EQ(ReadString(mode.root, kRunKey, "Driftline"), "(none)") << "start at login is chosen";

  RunInstalledBar(mode);
  ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey + std::string("\\1")));
  // Settings kept in an ini file in this mode's place, as the options dialog can choose.
  const std::string folder = KnownFolder(mode.dataCsidl) + "\\Quorvane\\Driftline";
  ::SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
  const std::string ini = folder + "\\dftline1.ini";
  WriteWholeFile(ini, "[Settings]\r\nSpeed=3\r\n");

  Uninstall(mode);
  EXPECT_FALSE(Exists(Folder(mode)));
  EXPECT_FALSE(Exists(Shortcut(mode)));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "the settings were not kept";
  EXPECT_TRUE(Exists(ini));
  EXPECT_TRUE(Exists(ProgramLogPath()));

  Install(mode);
  // The lists of sources of two copies, and what a killed save of one left.
  for (const char* list : {"\\sources.opml", "\\sources2.opml", "\\sources2.opml.368-1.tmp"}) {
    WriteWholeFile(folder + list, "<opml/>");
  }
  WriteWholeFile(folder + "\\notes.txt", "kept\r\n");
  Uninstall(mode, "/REMOVESETTINGS");
  EXPECT_FALSE(Exists(Folder(mode))) << testing::PrintToString(FilesIn(Folder(mode) + "\\"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Quorvane"));
  EXPECT_FALSE(Exists(ProgramLogPath()));
  // Only a file of the user's beside the settings is left, and keeps the folder.
  EXPECT_EQ(FilesIn(folder + "\\"), std::vector<std::string>{"notes.txt"});
}

INSTANTIATE_TEST_SUITE_P(Modes, SetupProgramCycle, testing::Values(kPerUser, kAllUsers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupProgram, InstallingOverARunningBarClosesItAfterItSavedItsSettings) {
  Install(kPerUser);
  RunningProgram program(ProgramFile{Program(kPerUser)}, "/LOG");
  ASSERT_NE(program.WaitForBar(), nullptr);
  ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "saved before it was asked to close";

  Install(kPerUser);
  EXPECT_EQ(program.WaitForExit(0), 0u) << "the bar still runs or did not end by itself";
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey + std::string("\\1")));
  const std::string log = ReadWholeFile(ProgramLogPath());
  EXPECT_NE(log.find("Driftline closing"), std::string::npos) << log;
  Uninstall(kPerUser);
}

// A window of the bar's class in another program, this one, with another title or the bar's.
class SetupProgramOtherWindow : public SetupProgram,
                                public testing::WithParamInterface<const char*> {};

TEST_P(SetupProgramOtherWindow, StaysOpenThroughSetupAndUninstall) {
  std::promise<HWND> created;
  std::thread owner([&] {
    const WNDCLASSA form{.lpfnWndProc = ::DefWindowProcA, .lpszClassName = "TForm1"};
    ::RegisterClassA(&form);
    created.set_value(::CreateWindowA("TForm1", GetParam(), WS_POPUP, 0, 0, 99, 9, nullptr, nullptr,
                                      nullptr, nullptr));
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  });
  const HWND other = created.get_future().get();
  Install(kPerUser);
  Uninstall(kPerUser);
  EXPECT_TRUE(::IsWindow(other));
  ::PostMessageA(other, WM_QUIT, 0, 0);
  owner.join();
}

INSTANTIATE_TEST_SUITE_P(Titles, SetupProgramOtherWindow,
                         testing::Values("Form1", "DriftlineAppbarForm"),
                         [](const auto& info) { return std::string(info.param); });

// Z:\tmp lets every user write, and a folder made in it would inherit that.
TEST_F(SetupProgram, RefusesAllUsersWhereOrdinaryUsersCanChangeTheFiles) {
  const std::string open = "Z:\\tmp\\driftline-setup-test";
  RemoveTree(open);
  EXPECT_EQ(RunToEnd('"' + SetupFile() + "\" /S /ALLUSERS /D=" + open), 2u);
  EXPECT_FALSE(Exists(open));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

TEST_F(SetupProgram, UninstallRemovesOnlyTheRunEntryOfThisInstallation) {
  const std::string elsewhere = core::RunValueOf("C:\\Tools\\Driftline\\dftline.exe");
  WriteString(HKEY_LOCAL_MACHINE, kRunKey, "Driftline", elsewhere);
  WriteString(HKEY_CURRENT_USER, kRunKey, "OtherTicker", "\"C:\\Tools\\other.exe\" /quiet");
  Install(kPerUser, "/STARTATLOGIN");
  // The entry the options dialog writes for the installed program.
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, "Driftline"),
            core::RunValueOf(Program(kPerUser)));

  Uninstall(kPerUser);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, "Driftline"), "(none)");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, "Driftline"), elsewhere);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, "OtherTicker"),
            "\"C:\\Tools\\other.exe\" /quiet");
}

}  // namespace
