// TSettings against the real registry and real files: both user scopes, the deletions a save
// makes, the registry's value types, and data that must not take the store down.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "components/Settings.h"
#include "platform/Handles.h"
#include "platform/SystemError.h"

using namespace testing_support;
using core::Value;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

// A vendor of its own, so that the program's tests and this one never meet in the registry or
// the settings folders.
constexpr char kVendor[] = "QuorvaneStoreTest";
constexpr char kSubKey[] = "Software\\QuorvaneStoreTest\\Driftline\\1";
constexpr char kKey[] = "\\Software\\QuorvaneStoreTest\\Driftline\\1";

std::string CommonAppDataFolder() {
  char path[MAX_PATH] = {};
  ::SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_APPDATA, TRUE);
  return path;
}

std::string Sz(std::string text) {
  text.push_back('\0');
  return text;
}

std::string Dword(DWORD value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

struct RawValue {
  DWORD type = REG_NONE;
  std::string bytes;
  bool operator==(const RawValue&) const = default;
};

void PrintTo(const RawValue& value, std::ostream* out) {
  *out << "type " << value.type << ", " << value.bytes.size() << " bytes";
}

bool KeyExists(HKEY root, const std::string& subKey = kSubKey) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

void SetRaw(HKEY root, const char* name, DWORD type, const std::string& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(root, kSubKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  platform::UniqueHkey owner(key);
  ASSERT_EQ(::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

std::optional<RawValue> GetRaw(HKEY root, const char* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, kSubKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  platform::UniqueHkey owner(key);
  RawValue value;
  DWORD size = 0;
  if (::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  ::RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()),
                     &size);
  return value;
}

bool FileThere(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }

  static void Clean() {
    const std::string vendorKey = std::string("Software\\") + kVendor;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, vendorKey.c_str());
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, vendorKey.c_str());
    RemoveTree(AppDataFolder() + "\\" + kVendor);
    RemoveTree(CommonAppDataFolder() + "\\" + kVendor);
  }

  static std::string UserFolder() { return AppDataFolder() + "\\" + kVendor + "\\Driftline\\"; }
  static std::string AllUsersFolder() {
    return CommonAppDataFolder() + "\\" + kVendor + "\\Driftline\\";
  }
  static std::string UserIni() { return UserFolder() + "dftline1.ini"; }
  static std::string AllUsersIni() { return AllUsersFolder() + "dftline1.ini"; }

  static void MakeFolder(const std::string& folder) {
    const std::string vendor = folder.substr(0, folder.rfind('\\', folder.size() - 2));
    ::CreateDirectoryA(vendor.c_str(), nullptr);
    ::CreateDirectoryA(folder.c_str(), nullptr);
  }
  static void WriteIni(const std::string& path, const std::string& text) {
    MakeFolder(path.substr(0, path.rfind('\\') + 1));
    WriteWholeFile(path, text);
  }

  // A store set up the way the bar sets up instance 1, on this test's names, as at a start.
  std::unique_ptr<TSettings> Start() {
    log.clear();
    auto started = std::make_unique<TSettings>();
    started->OnLog = [this](const std::string& message) { log.push_back(message); };
    started->Properties().SettingsPath = std::string(kVendor) + "\\Driftline";
    started->Properties().IniFileName = "dftline1.ini";
    started->Properties().RegKeyName = kSubKey;
    started->SetValue("Top", Value{0});
    started->SetValue("Frame", Value{true});
    started->SetValue("FontName", Value{std::string("MS Sans Serif")});
    return started;
  }

  Value Stored(std::string_view name) const {
    Value value;
    settings->GetValue(name, value);
    return value;
  }

  std::vector<std::string> log;
  std::unique_ptr<TSettings> settings = Start();
};

TEST_F(SettingsStoreTest, NothingStoredAnywhereKeepsTheDefaultsAndTheFirstSaveMakesTheUserKey) {
  settings->GetSettings();
  EXPECT_THAT(
      log, ElementsAre(
               "Settings: FindGetLocation: " + UserIni() + " not found",
               "Settings: FindGetLocation: " + AllUsersIni() + " not found",
               "Settings: FindGetLocation: HKEY_CURRENT_USER" + std::string(kKey) + " not found",
               "Settings: FindGetLocation: HKEY_LOCAL_MACHINE" + std::string(kKey) + " not found",
               "Settings: GetSettings: settings not found anywhere"));
  EXPECT_EQ(Stored("Top"), Value{0});

  settings->SetValue("Top", Value{-25});
  settings->SetValue("Frame", Value{false});
  settings->SetValue("FontName", Value{std::string("Arial Narrow")});
  log.clear();
  settings->SaveSettings();
  EXPECT_THAT(log, ElementsAre("Settings: SaveSettings: HKEY_CURRENT_USER" + std::string(kKey)));
  EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, "Top"), (RawValue{REG_DWORD, Dword(0xFFFFFFE7)}));
  EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, "Frame"), (RawValue{REG_SZ, Sz("0")}));
  EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, "FontName"), (RawValue{REG_SZ, Sz("Arial Narrow")}));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(FileThere(UserIni()));

  settings = Start();
  settings->GetSettings();
  EXPECT_THAT(log, Contains("Settings: GetSettings: HKEY_CURRENT_USER" + std::string(kKey)));
  EXPECT_EQ(Stored("Top"), Value{-25});
  EXPECT_EQ(Stored("Frame"), Value{false});
  EXPECT_EQ(Stored("FontName"), Value{std::string("Arial Narrow")});
}

TEST_F(SettingsStoreTest, SavingKeepsAStringTypedIntegerAStringAndRetypesEverythingElse) {
  SetRaw(HKEY_CURRENT_USER, "Top", REG_SZ, Sz("5"));
  SetRaw(HKEY_CURRENT_USER, "Left", REG_BINARY, "\x01\x02");
  SetRaw(HKEY_CURRENT_USER, "FontName", REG_DWORD, Dword(3));
  settings->SetValue("Left", Value{40});
  settings->SetValue("Top", Value{-3});
  settings->SaveSettings();
  EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, "Top"), (RawValue{REG_SZ, Sz("-3")}));
  EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, "Left"), (RawValue{REG_DWORD, Dword(40)}));
  EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, "Frame"), (RawValue{REG_SZ, Sz("1")}));
  EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, "FontName"), (RawValue{REG_SZ, Sz("MS Sans Serif")}));
}

struct RegistryReadCase {
  const char* behaviour;
  Value tableDefault;
  DWORD type;
  std::string bytes;
  Value expected;
  bool failureLogged;
};

void PrintTo(const RegistryReadCase& c, std::ostream* out) {
  *out << c.behaviour;
}

class SettingsStoreRegistryRead : public SettingsStoreTest,
                                  public ::testing::WithParamInterface<RegistryReadCase> {};

TEST_P(SettingsStoreRegistryRead, TakesWhatTheTypeAllowsAndLogsTheRest) {
  const RegistryReadCase& c = GetParam();
  SetRaw(HKEY_CURRENT_USER, "Value", c.type, c.bytes);
  SetRaw(HKEY_CURRENT_USER, "After", REG_DWORD, Dword(2));
  settings->SetValue("Value", c.tableDefault);
  settings->SetValue("After", Value{1});
  settings->GetSettings();
  EXPECT_EQ(Stored("Value"), c.expected);
  const std::string failure = "Settings: GetSettings: exception reading Value";
  if (c.failureLogged) {
    EXPECT_THAT(log, Contains(failure));
  } else {
    EXPECT_THAT(log, Not(Contains(failure)));
  }
  EXPECT_EQ(Stored("After"), Value{2}) << "the values after it are read on";
}

const std::string kTwoMegabytes(2 * 1024 * 1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    SettingsStore, SettingsStoreRegistryRead,
    ::testing::Values(
        RegistryReadCase{"IntegerFromDword", Value{7}, REG_DWORD, Dword(42), Value{42}, false},
        RegistryReadCase{"NegativeIntegerFromDword", Value{7}, REG_DWORD, Dword(0xFFFFFFFF),
                         Value{-1}, false},
        RegistryReadCase{"IntegerFromString", Value{7}, REG_SZ, Sz(" 42 "), Value{42}, false},
        RegistryReadCase{"BooleanFromNonZeroDword", Value{false}, REG_DWORD, Dword(5), Value{true},
                         false},
        RegistryReadCase{"BooleanFromStringZero", Value{true}, REG_SZ, Sz("0"), Value{false},
                         false},
        RegistryReadCase{"StringFromString", Value{std::string("x")}, REG_SZ, Sz("C:\\news.txt"),
                         Value{std::string("C:\\news.txt")}, false},
        RegistryReadCase{"ExpandStringUnexpanded", Value{std::string("x")}, REG_EXPAND_SZ,
                         Sz("%TEMP%\\a"), Value{std::string("%TEMP%\\a")}, false},
        RegistryReadCase{"StringFromDwordFails", Value{std::string("x")}, REG_DWORD, Dword(1),
                         Value{std::string("x")}, true},
        RegistryReadCase{"BinaryFails", Value{7}, REG_BINARY, std::string("\x01\x00\x00\x00", 4),
                         Value{7}, true},
        RegistryReadCase{"ShortDwordFails", Value{7}, REG_DWORD, std::string("\x01\x00", 2),
                         Value{7}, true},
        RegistryReadCase{"TwoMegabyteStringFails", Value{std::string("x")}, REG_SZ,
                         Sz(kTwoMegabytes), Value{std::string("x")}, true}),
    [](const ::testing::TestParamInfo<RegistryReadCase>& info) {
      return std::string(info.param.behaviour);
    });

TEST_F(SettingsStoreTest, TheAllUsersKeyReplacesTheUserKeyAndBothIniFiles) {
  SetRaw(HKEY_CURRENT_USER, "Top", REG_DWORD, Dword(1));
  WriteIni(UserIni(), "[Settings]\r\nTop=2\r\n");
  WriteIni(AllUsersIni(), "[Settings]\r\nTop=3\r\n");
  settings->GetSettings();
  EXPECT_EQ(Stored("Top"), Value{2});

  settings->Properties().UseIni = false;
  settings->Properties().AllUsers = true;
  settings->SetValue("Top", Value{4});
  log.clear();
  settings->SaveSettings();
  EXPECT_THAT(log, ElementsAre("Settings: SaveSettings: HKEY_LOCAL_MACHINE" + std::string(kKey)));
  EXPECT_EQ(GetRaw(HKEY_LOCAL_MACHINE, "Top"), (RawValue{REG_DWORD, Dword(4)}));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER));
  EXPECT_FALSE(FileThere(UserIni()));
  EXPECT_FALSE(FileThere(AllUsersIni()));

  settings = Start();
  settings->GetSettings();
  EXPECT_TRUE(settings->Properties().AllUsers);
  EXPECT_FALSE(settings->Properties().UseIni);
  EXPECT_EQ(Stored("Top"), Value{4});
  EXPECT_THAT(log, Contains("Settings: GetSettings: HKEY_LOCAL_MACHINE" + std::string(kKey)));
}

TEST_F(SettingsStoreTest, AUserKeyWithSubkeysIsLeftWithThemWhenTheAllUsersKeyTakesOver) {
  SetRaw(HKEY_CURRENT_USER, "Top", REG_DWORD, Dword(1));
  const std::string plugin = std::string(kSubKey) + "\\Plugin";
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, plugin.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(key);
  settings->GetSettings();
  settings->Properties().AllUsers = true;
  settings->SaveSettings();
  EXPECT_EQ(GetRaw(HKEY_LOCAL_MACHINE, "Top"), (RawValue{REG_DWORD, Dword(1)}));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, plugin)) << "another program's branch is not ours";
}

TEST_F(SettingsStoreTest, TheAllUsersIniFileIsMadeWithItsFoldersAndFoundBeforeTheUserKey) {
  SetRaw(HKEY_CURRENT_USER, "Top", REG_DWORD, Dword(1));
  settings->GetSettings();
  // A per-user file left from an earlier choice would be found first at the next start.
  WriteIni(UserIni(), "[Settings]\r\nTop=2\r\n");

  settings->Properties().UseIni = true;
  settings->Properties().AllUsers = true;
  settings->SetValue("Top", Value{7});
  log.clear();
  settings->SaveSettings();
  EXPECT_THAT(log, ElementsAre("Settings: SaveSettings: " + AllUsersIni()));
  EXPECT_THAT(ReadWholeFile(AllUsersIni()), HasSubstr("[Settings]\r\nTop=7\r\n"));
  EXPECT_FALSE(FileThere(UserIni()));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER)) << "the search finds the ini file first";

  settings = Start();
  settings->GetSettings();
  EXPECT_TRUE(settings->Properties().UseIni);
  EXPECT_TRUE(settings->Properties().AllUsers);
  EXPECT_EQ(Stored("Top"), Value{7});
  EXPECT_THAT(log, Contains("Settings: GetSettings: " + AllUsersIni()));
}

TEST_F(SettingsStoreTest, TheUserIniFileIsMadeWithItsFoldersAndReadBeforeTheUserKey) {
  SetRaw(HKEY_CURRENT_USER, "Top", REG_DWORD, Dword(99));
  settings->Properties().UseIni = true;
  settings->SetValue("Top", Value{7});
  settings->SetValue("FontName", Value{std::string(" padded ")});
  settings->SaveSettings();
  EXPECT_EQ(ReadWholeFile(UserIni()),
            "[Settings]\r\nTop=7\r\nFrame=1\r\nFontName=\" padded \"\r\n");

  settings = Start();
  settings->GetSettings();
  EXPECT_TRUE(settings->Properties().UseIni);
  EXPECT_FALSE(settings->Properties().AllUsers);
  EXPECT_EQ(Stored("Top"), Value{7});
  EXPECT_EQ(Stored("FontName"), Value{std::string(" padded ")});
}

TEST_F(SettingsStoreTest, ASaveKeepsForeignSectionsAndNamesAndLeavesNoTemporaryFile) {
  WriteIni(UserIni(),
           "; shared with a plug-in\r\n[Window]\r\nLeft=10\r\n\r\n[Settings]\r\nTop=3\r\n"
           "Plugin=keep me\r\n[Other]\r\nX=1\r\n");
  settings->GetSettings();
  EXPECT_EQ(Stored("Top"), Value{3});
  settings->SetValue("Top", Value{4});
  settings->SaveSettings();
  EXPECT_EQ(ReadWholeFile(UserIni()),
            "; shared with a plug-in\r\n[Window]\r\nLeft=10\r\n\r\n[Settings]\r\nTop=4\r\n"
            "Plugin=keep me\r\nFrame=1\r\nFontName=MS Sans Serif\r\n[Other]\r\nX=1\r\n");
  EXPECT_THAT(FilesIn(UserFolder()), ElementsAre("dftline1.ini"));
}

TEST_F(SettingsStoreTest, ASaveRemovesTheTemporaryThatAKilledSaveLeftAndSaysSo) {
  WriteIni(UserIni(), "[Settings]\r\nTop=3\r\n");
  const std::string leftover = UserIni() + "." + std::to_string(EndedProcessId()) + "-1.tmp";
  WriteWholeFile(leftover, "[Settings]\r\nTo");
  settings->GetSettings();
  log.clear();
  settings->SaveSettings();
  EXPECT_THAT(log, ElementsAre("Settings: SaveSettings: " + UserIni(),
                               "Settings: SaveSettings: removed 1 temporary file left by an "
                               "interrupted save"));
  EXPECT_THAT(FilesIn(UserFolder()), ElementsAre("dftline1.ini"));
}

TEST_F(SettingsStoreTest, ASaveOverAFileHeldOpenLeavesItWholeAndIsLogged) {
  const std::string old = "[Settings]\r\nTop=3\r\n";
  WriteIni(UserIni(), old);
  settings->GetSettings();
  settings->SetValue("Top", Value{4});
  log.clear();
  {
    // Another program reading the file, without letting it be replaced meanwhile.
    platform::UniqueHandle reader(::CreateFileA(UserIni().c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    settings->SaveSettings();
  }
  EXPECT_THAT(log, ElementsAre("Settings: SaveSettings: " + UserIni(),
                               "Settings: SaveSettings: exception saving settings"));
  EXPECT_EQ(ReadWholeFile(UserIni()), old);
  EXPECT_THAT(FilesIn(UserFolder()), ElementsAre("dftline1.ini"));
}

TEST_F(SettingsStoreTest, AForcedIniFileThatIsAFolderFailsBothWaysAndIsLogged) {
  MakeFolder(UserFolder());
  const std::string folder = UserFolder() + "forced.ini";
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
  WriteWholeFile(folder + "\\inside.txt", "kept");
  settings->Properties().ForceIniFile = folder;
  settings->GetSettings();
  settings->SaveSettings();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_THAT(log[0], StartsWith("Settings: GetSettings: Cannot read " + folder));
  EXPECT_THAT(log[1], StartsWith("Settings: SaveSettings: exception saving settings"));
  EXPECT_EQ(ReadWholeFile(folder + "\\inside.txt"), "kept");
  EXPECT_EQ(Stored("Top"), Value{0});
}

TEST_F(SettingsStoreTest, AForcedIniFileIsTheOnlyPlaceReadSavedOrDeleted) {
  SetRaw(HKEY_CURRENT_USER, "Top", REG_DWORD, Dword(1));
  SetRaw(HKEY_LOCAL_MACHINE, "Top", REG_DWORD, Dword(2));
  WriteIni(UserIni(), "[Settings]\r\nTop=3\r\n");
  WriteIni(AllUsersIni(), "[Settings]\r\nTop=4\r\n");
  const std::string forced = UserFolder() + "forced.ini";
  WriteWholeFile(forced, "[Settings]\r\nTop=42\r\n");

  settings->Properties().ForceIniFile = forced;
  settings->Properties().AllUsers = true;
  settings->GetSettings();
  EXPECT_EQ(Stored("Top"), Value{42});
  settings->SetValue("Top", Value{43});
  settings->SaveSettings();
  EXPECT_THAT(log,
              ElementsAre("Settings: GetSettings: " + forced, "Settings: SaveSettings: " + forced));
  EXPECT_THAT(ReadWholeFile(forced), HasSubstr("Top=43\r\n"));
  EXPECT_EQ(ReadWholeFile(UserIni()), "[Settings]\r\nTop=3\r\n");
  EXPECT_EQ(ReadWholeFile(AllUsersIni()), "[Settings]\r\nTop=4\r\n");
  EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, "Top"), (RawValue{REG_DWORD, Dword(1)}));
  EXPECT_EQ(GetRaw(HKEY_LOCAL_MACHINE, "Top"), (RawValue{REG_DWORD, Dword(2)}));
}

TEST_F(SettingsStoreTest, AnIniFileOfTwentyMegabytesIsLoggedAndNeverOverwritten) {
  std::string huge = "[Settings]\r\nTop=5\r\n";
  huge.resize(20 * 1024 * 1024, ';');
  WriteIni(UserIni(), huge);
  settings->GetSettings();
  settings->SetValue("Top", Value{6});
  settings->SaveSettings();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_THAT(log[0], StartsWith("Settings: GetSettings: Cannot read " + UserIni()));
  EXPECT_THAT(log[1], StartsWith("Settings: SaveSettings: exception saving settings"));
  EXPECT_EQ(ReadWholeFile(UserIni()).size(), huge.size());
}

TEST_F(SettingsStoreTest, ALockedIniFileIsLoggedWithTheSystemsMessageAndReadOnceFree) {
  WriteIni(UserIni(), "[Settings]\r\nTop=5\r\n");
  {
    platform::UniqueHandle lock(::CreateFileA(UserIni().c_str(), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    settings->GetSettings();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "Settings: GetSettings: Cannot read " + UserIni() + ": " +
                          platform::SystemMessage(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Stored("Top"), Value{0});
  }
  settings->GetSettings();
  EXPECT_EQ(Stored("Top"), Value{5});
}

}  // namespace
