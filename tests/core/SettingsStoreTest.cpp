#include "core/SettingsStore.h"

#include <stdexcept>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SettingsFake.h"

namespace core {
namespace {

using namespace std::string_literals;
using ::testing::ElementsAre;

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

}  // namespace
}  // namespace core
