#include "core/settings/SettingsStore.h"

#include <ostream>
#include <stdexcept>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SettingsFake.h"

namespace core {
namespace {

using namespace std::string_literals;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

using SettingsStoreTest = SettingsStoreFixture;

TEST_F(SettingsStoreTest, AValueOfAnotherRegistryTypeFailsAloneAndKeepsItsDefault) {
  system.keys[kUser]["Top"] = RegistryData{RegistryType::Other, 0, {}};
  system.keys[kUser]["Frame"] = RegistryData{RegistryType::String, 0, "0"};
  store->GetSettings();
  EXPECT_THAT(log, ElementsAre("Settings: FindGetLocation: "s + kUserIni + " not found",
                               "Settings: FindGetLocation: "s + kAllUsersIni + " not found",
                               "Settings: GetSettings: HKEY_CURRENT_USER"s + kKey,
                               "Settings: GetSettings: exception reading Top"));
  EXPECT_EQ(StoredValue("Top"), Value{0});
  EXPECT_EQ(StoredValue("Frame"), Value{false});
}

TEST_F(SettingsStoreTest, ADwordIsUnsignedWhereTheValueCannotBeNegative) {
  store->SetValue("GetFileDelay", Value{0});
  system.keys[kUser]["GetFileDelay"] = {RegistryType::Dword, ~0U, {}};
  store->GetSettings();
  EXPECT_THAT(log, Contains("Settings: GetFileDelay 4294967295 out of range, using 2147483647"));
  EXPECT_EQ(StoredValue("GetFileDelay"), Value{INT32_MAX});
}

TEST_F(SettingsStoreTest, AFailedIniWriteLeavesTheOldFileAndIsLogged) {
  system.files[kUserIni] = "[Other]\nKeep=1\n";
  system.folders.insert("C:\\Users\\me\\AppData\\Quorvane\\");
  system.folders.insert("C:\\Users\\me\\AppData\\Quorvane\\Driftline\\");
  system.fileWritesFail = true;
  store->GetSettings();
  log.clear();
  store->SaveSettings();
  EXPECT_THAT(log, ElementsAre("Settings: SaveSettings: "s + kUserIni,
                               "Settings: SaveSettings: exception saving settings"));
  EXPECT_EQ(system.files[kUserIni], "[Other]\nKeep=1\n");
}

TEST_F(SettingsStoreTest, MovingToAPlaceThatCannotBeWrittenKeepsTheOldCopy) {
  system.files[kUserIni] = "[Settings]\nTop=7\n";
  system.folders.insert("C:\\ProgramData\\Quorvane\\");
  system.folders.insert("C:\\ProgramData\\Quorvane\\Driftline\\");
  store->GetSettings();
  store->Properties().AllUsers = true;  // the user asks for the all-users file...
  system.fileWritesFail = true;         // ...where a standard user may not write
  store->SaveSettings();
  EXPECT_EQ(system.files[kUserIni], "[Settings]\nTop=7\n");

  system.fileWritesFail = false;
  store->SaveSettings();
  EXPECT_EQ(system.files.count(kUserIni), 0u) << "removed once the new copy is written";
  EXPECT_EQ(system.files.count(kAllUsersIni), 1u);
}

TEST_F(SettingsStoreTest, AnIniFileThatCannotBeReadReachesTheCallerAndIsNotOverwritten) {
  system.files[kUserIni] = "[Settings]\nTop=5\n";
  system.unreadableFiles.insert(kUserIni);
  EXPECT_THROW(store->GetSettings(), std::runtime_error);
  EXPECT_THROW(store->SaveSettings(), std::runtime_error);
  EXPECT_EQ(system.files[kUserIni], "[Settings]\nTop=5\n");
}

TEST_F(SettingsStoreTest, AnIniSaveRemovesWhatKilledSavesLeftAndSaysHowManyWhenAny) {
  store->Properties().UseIni = true;
  for (const int leftovers : {2, 1, 0}) {
    system.leftoverTemporaries = leftovers;
    store->SaveSettings();
  }
  EXPECT_THAT(log, ElementsAre("Settings: SaveSettings: "s + kUserIni,
                               "Settings: SaveSettings: removed 2 temporary files left by an "
                               "interrupted save",
                               "Settings: SaveSettings: "s + kUserIni,
                               "Settings: SaveSettings: removed 1 temporary file left by an "
                               "interrupted save",
                               "Settings: SaveSettings: "s + kUserIni));
  EXPECT_THAT(system.cleanedBeside, Each(std::string(kUserIni)));
}

struct PartialMoveCase {
  const char* behaviour;
  bool useIni;
  bool allUsers;
  std::string name;  // of the one value the new place cannot take
  Value value;
};

void PrintTo(const PartialMoveCase& c, std::ostream* out) {
  *out << c.behaviour;
}

class SettingsStorePartialMove : public SettingsStoreFixture,
                                 public ::testing::WithParamInterface<PartialMoveCase> {};

TEST_P(SettingsStorePartialMove, LogsTheValueLeftOutAndKeepsEveryOldCopy) {
  const PartialMoveCase& c = GetParam();
  const std::string oldIni = "[Settings]\r\nTop=1\r\n";
  system.folders.insert({"C:\\ProgramData\\Quorvane\\", "C:\\ProgramData\\Quorvane\\Driftline\\"});
  system.files[kUserIni] = system.files[kAllUsersIni] = oldIni;
  system.keys[kUser]["Top"] = system.keys[kMachine]["Top"] = {RegistryType::Dword, 1, {}};
  store->Properties().UseIni = c.useIni;
  store->Properties().AllUsers = c.allUsers;
  store->SetValue("Top", Value{2});
  store->SetValue(c.name, c.value);

  store->SaveSettings();

  EXPECT_THAT(log, Contains("Settings: SaveSettings: exception writing " + c.name));
  const std::string newIni = !c.useIni ? "" : c.allUsers ? kAllUsersIni : kUserIni;
  if (c.useIni) {
    EXPECT_THAT(system.files[newIni], HasSubstr("Top=2\r\n"));
  }
  for (const std::string path : {kUserIni, kAllUsersIni}) {
    if (path != newIni) {
      EXPECT_EQ(system.files[path], oldIni) << path;
    }
  }
  for (const RegistryRoot root : {kUser, kMachine}) {
    const bool newKey = !c.useIni && root == (c.allUsers ? kMachine : kUser);
    EXPECT_EQ(system.keys[root]["Top"].dword, newKey ? 2U : 1U) << RootName(root);
  }
}

INSTANTIATE_TEST_SUITE_P(
    SettingsStore, SettingsStorePartialMove,
    ::testing::Values(PartialMoveCase{"ValueWithALineBreakToTheAllUsersIni", true, true, "FontName",
                                      Value{std::string("two\r\nlines")}},
                      PartialMoveCase{"NameTheIniRefusesToTheAllUsersIni", true, true, "Font=Name",
                                      Value{1}},
                      PartialMoveCase{"NameTheRegistryRefusesToTheAllUsersKey", false, true,
                                      std::string("Font\0Name", 9), Value{1}},
                      PartialMoveCase{"NameTheRegistryRefusesToTheUsersKey", false, false,
                                      std::string("Font\0Name", 9), Value{1}}),
    [](const ::testing::TestParamInfo<PartialMoveCase>& info) {
      return std::string(info.param.behaviour);
    });

}  // namespace
}  // namespace core
