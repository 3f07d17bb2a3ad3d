#include "core/settings/SettingsLocation.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

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

enum class Place { UserIni, AllUsersIni, UserKey, AllUsersKey };

struct SearchCase {
  const char* behaviour;
  std::vector<Place> copies;  // each holds Top = 10 + its place's number
  Place found;
};

void PrintTo(const SearchCase& c, std::ostream* out) {
  *out << c.behaviour;
}

class SettingsLocationSearch : public SettingsStoreFixture,
                               public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SettingsLocationSearch, LoadsTheValuesOfTheFirstPlaceInOrderThatHoldsACopy) {
  const SearchCase& c = GetParam();
  for (const Place place : c.copies) {
    const int top = 10 + static_cast<int>(place);
    const std::string ini = "[Settings]\r\nTop=" + std::to_string(top) + "\r\n";
    const RegistryData key{RegistryType::Dword, static_cast<std::uint32_t>(top), {}};
    switch (place) {
      case Place::UserIni: system.files[kUserIni] = ini; break;
      case Place::AllUsersIni: system.files[kAllUsersIni] = ini; break;
      case Place::UserKey: system.keys[kUser]["Top"] = key; break;
      case Place::AllUsersKey: system.keys[kMachine]["Top"] = key; break;
    }
  }
  store->GetSettings();
  EXPECT_EQ(StoredValue("Top"), Value{10 + static_cast<int>(c.found)});
}

INSTANTIATE_TEST_SUITE_P(
    Order, SettingsLocationSearch,
    testing::Values(
        SearchCase{
            "UserIniBeforeAllUsersIni", {Place::AllUsersIni, Place::UserIni}, Place::UserIni},
        SearchCase{
            "AllUsersIniBeforeUserKey", {Place::UserKey, Place::AllUsersIni}, Place::AllUsersIni},
        SearchCase{
            "UserKeyBeforeAllUsersKey", {Place::AllUsersKey, Place::UserKey}, Place::UserKey},
        SearchCase{"AllUsersIniBeforeAllUsersKey",
                   {Place::AllUsersKey, Place::AllUsersIni},
                   Place::AllUsersIni},
        SearchCase{"EveryPlace",
                   {Place::UserIni, Place::AllUsersIni, Place::UserKey, Place::AllUsersKey},
                   Place::UserIni},
        SearchCase{"OnlyTheAllUsersKey", {Place::AllUsersKey}, Place::AllUsersKey}),
    [](const testing::TestParamInfo<SearchCase>& info) {
      return std::string(info.param.behaviour);
    });

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
