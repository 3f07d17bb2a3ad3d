#include "core/SettingsLocation.h"

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SettingsFake.h"

namespace core {
namespace {

using namespace std::string_literals;
using ::testing::Contains;
using ::testing::ElementsAre;

using SettingsLocationTest = SettingsStoreFixture;

TEST_F(SettingsLocationTest, NothingAnywhereKeepsTheDefaultsAndTheFirstSaveMakesTheUserKey) {
  store->GetSettings();
  EXPECT_THAT(log,
              ElementsAre("Settings: FindGetLocation: "s + kUserIni + " not found",
                          "Settings: FindGetLocation: "s + kAllUsersIni + " not found",
                          "Settings: FindGetLocation: HKEY_CURRENT_USER"s + kKey + " not found",
                          "Settings: FindGetLocation: HKEY_LOCAL_MACHINE"s + kKey + " not found",
                          "Settings: GetSettings: settings not found anywhere"));
  EXPECT_EQ(StoredValue("Frame"), Value{true});

  log.clear();
  store->SaveSettings();
  EXPECT_THAT(log, ElementsAre("Settings: SaveSettings: HKEY_CURRENT_USER"s + kKey));
  EXPECT_EQ(system.keys[kUser]["Top"].type, RegistryType::Dword);
  EXPECT_EQ(system.keys[kUser]["Frame"].text, "1");
  EXPECT_EQ(system.keys.count(kMachine), 0U);
}

TEST_F(SettingsLocationTest, TheUsersIniFileWinsOverTheUsersKey) {
  system.files[kUserIni] = "[Settings]\r\nTop=5\r\n";
  system.keys[kUser]["Top"] = RegistryData{RegistryType::Dword, 9, {}};
  store->GetSettings();
  EXPECT_THAT(log, ElementsAre("Settings: GetSettings: "s + kUserIni));
  EXPECT_EQ(StoredValue("Top"), Value{5});
}

TEST_F(SettingsLocationTest, SwitchingToTheAllUsersIniIsFoundBeforeTheKeyAtTheNextStart) {
  system.files[kUserIni] = "[Settings]\r\nTop=5\r\n";
  system.keys[kUser]["Top"] = RegistryData{RegistryType::Dword, 9, {}};
  store->GetSettings();
  store->Properties().AllUsers = true;

  store->SaveSettings();
  EXPECT_EQ(system.folders.count("C:\\ProgramData\\Quorvane\\"), 1U);
  EXPECT_EQ(system.files.count(kUserIni), 0U);
  EXPECT_EQ(system.files[kAllUsersIni], "[Settings]\r\nTop=5\r\nFrame=1\r\n");

  store = Start();
  store->GetSettings();
  EXPECT_TRUE(store->Properties().UseIni && store->Properties().AllUsers);
  EXPECT_EQ(log.back(), "Settings: GetSettings: "s + kAllUsersIni);
}

TEST_F(SettingsLocationTest, AllUsersKeyWithoutTheRightToCreateItFallsBackToTheUsersKey) {
  system.rootsWithoutCreateRight.insert(kMachine);
  store->Properties().AllUsers = true;
  store->SaveSettings();
  EXPECT_THAT(log, ElementsAre("Settings: FindSaveLocation: Cannot open HKEY_LOCAL_MACHINE"
                               "\\Software\\Quorvane\\Driftline\\1",
                               "Settings: SaveSettings: HKEY_CURRENT_USER"s + kKey));
  EXPECT_FALSE(store->Properties().AllUsers);
  EXPECT_EQ(system.keys[kUser]["Frame"].text, "1");
}

TEST_F(SettingsLocationTest, AllUsersKeyWithTheRightRemovesEveryCopyFoundBeforeIt) {
  system.files[kUserIni] = system.files[kAllUsersIni] = "";
  system.keys[kUser]["Top"] = RegistryData{RegistryType::Dword, 9, {}};
  store->Properties().AllUsers = true;
  store->SaveSettings();
  EXPECT_TRUE(system.files.empty());
  EXPECT_EQ(system.keys.count(kUser), 0U);
  EXPECT_EQ(system.keys[kMachine]["Frame"].text, "1");
}

TEST_F(SettingsLocationTest, AForcedIniFileIsTheOnlyPlaceTouched) {
  system.folders.insert("Z:\\cfg\\");
  system.files["Z:\\cfg\\x.ini"] = "[Settings]\nTop=7\n";
  system.keys[kUser]["Top"] = RegistryData{RegistryType::Dword, 9, {}};
  store->Properties().ForceIniFile = "Z:\\cfg\\x.ini";

  store->GetSettings();
  store->SaveSettings();

  EXPECT_EQ(StoredValue("Top"), Value{7});
  EXPECT_EQ(system.files["Z:\\cfg\\x.ini"], "[Settings]\r\nTop=7\r\nFrame=1\r\n");
  EXPECT_EQ(system.placesProbed, 0);
}

TEST_F(SettingsLocationTest, UsersKeyThatCannotBeCreatedFallsBackToTheUsersIniFile) {
  system.rootsWithoutCreateRight.insert(kUser);
  store->GetSettings();  // leaves the all-users ini path behind
  store->SaveSettings();
  EXPECT_THAT(log, Contains("Settings: FindSaveLocation: Cannot open HKEY_CURRENT_USER"s + kKey));
  EXPECT_EQ(system.files.count(kUserIni), 1U);
}

TEST_F(SettingsLocationTest, FoldersThatCannotBeCreatedAreLoggedAndNothingIsWritten) {
  system.forbiddenFolders.insert("C:\\Users\\me\\AppData\\Quorvane\\Driftline\\");
  store->Properties().UseIni = true;
  store->SaveSettings();
  EXPECT_EQ(log.front(),
            "Settings: Could not create C:\\Users\\me\\AppData\\Quorvane\\Driftline\\");
  EXPECT_EQ(log.back(), "Settings: SaveSettings: exception saving settings");

  // Without an all-users folder the bare file name is looked for, but never written.
  system.commonAppData.reset();
  store = Start();
  store->GetSettings();
  EXPECT_THAT(log, Contains("Settings: FindGetLocation: dftline1.ini not found"));
  store->Properties().UseIni = store->Properties().AllUsers = true;
  store->SaveSettings();
  EXPECT_THAT(log, Contains("Settings: Could not create \\Quorvane\\Driftline\\"));
  EXPECT_TRUE(system.files.empty());
}

TEST(SettingsLocation, DerivesEveryEmptyNameFromTheProgramFile) {
  FakeSettingsSystem system;
  SettingsLocation location(system, [](const std::string&) {});
  location.Properties().CompanyName = "Quorvane";
  location.ResolvePaths();
  EXPECT_EQ(location.Properties().IniFileName, "dftline.ini");
  EXPECT_EQ(location.Properties().RegKeyName, "\\Software\\Quorvane\\dftline");
  EXPECT_EQ(location.UserPath(), "C:\\Users\\me\\AppData\\Quorvane\\dftline\\");
  EXPECT_EQ(location.SubKey(), "Software\\Quorvane\\dftline");
}

}  // namespace
}  // namespace core
