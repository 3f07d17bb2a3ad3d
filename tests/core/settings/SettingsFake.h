#pragma once
// An in-memory Windows for the settings store: files, folders and the two registry roots, with
// the failures the real one can produce. Paths are those of instance 1 of C:\Tools\dftline.exe.

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/program/ProgramPaths.h"
#include "core/settings/SettingsStore.h"

namespace core {

using KeyValues = std::map<std::string, RegistryData>;

class FakeKey : public RegistryKey {
 public:
  explicit FakeKey(KeyValues& values) : values_(values) {}
  RegistryData Read(const std::string& name) override {
    return values_.count(name) != 0 ? values_[name] : RegistryData{};
  }
  RegistryType TypeOf(const std::string& name) override { return Read(name).type; }
  bool Write(const std::string& name, const RegistryData& data) override {
    values_[name] = data;
    return true;
  }

 private:
  KeyValues& values_;
};

class FakeSettingsSystem : public SettingsSystem {
 public:
  std::optional<std::string> commonAppData = "C:\\ProgramData";
  std::set<std::string> folders = {"C:\\Users\\me\\AppData\\", "C:\\ProgramData\\"};
  std::set<std::string> forbiddenFolders;
  std::map<std::string, std::string> files;
  std::set<std::string> unreadableFiles;
  bool fileWritesFail = false;
  std::map<RegistryRoot, KeyValues> keys;  // the one key, Software\Quorvane\Driftline\1
  std::set<RegistryRoot> rootsWithoutCreateRight;
  int leftoverTemporaries = 0;  // removed by the next cleanup
  std::vector<std::string> cleanedBeside;
  int placesProbed = 0;  // calls that look at or change a place other than by reading or writing

  std::string ProgramPath() override { return "C:\\Tools\\dftline.exe"; }
  std::optional<std::string> SpecialFolderPath(SpecialFolder folder) override {
    return folder == SpecialFolder::UserAppData ? "C:\\Users\\me\\AppData" : commonAppData;
  }
  bool FileExists(const std::string& path) override {
    ++placesProbed;
    return files.count(path) != 0;
  }
  void RemoveFile(const std::string& path) override {
    ++placesProbed;
    files.erase(path);
  }
  bool FolderExists(const std::string& folder) override { return folders.count(folder) != 0; }
  bool MakeFolder(const std::string& folder) override {
    if (forbiddenFolders.count(folder) != 0 || !FolderExists(ParentFolderOf(folder))) return false;
    return folders.insert(folder).second;
  }
  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& subKey,
                                       KeyOpening opening) override {
    ++placesProbed;
    EXPECT_EQ(subKey, "Software\\Quorvane\\Driftline\\1");
    const bool create =
        opening == KeyOpening::CreateIfMissing && !rootsWithoutCreateRight.count(root);
    if (!keys.count(root) && !create) return nullptr;
    return std::make_unique<FakeKey>(keys[root]);
  }
  void RemoveKey(RegistryRoot root, const std::string& /*subKey*/) override {
    ++placesProbed;
    keys.erase(root);
  }
  std::optional<std::string> ReadTextFile(const std::string& path) override {
    if (unreadableFiles.count(path) != 0) throw std::runtime_error("sharing violation");
    if (files.count(path) == 0) return std::nullopt;
    return files[path];
  }
  int RemoveLeftoverTemporaries(const std::string& path) override {
    cleanedBeside.push_back(path);
    return std::exchange(leftoverTemporaries, 0);
  }
  bool ReplaceTextFile(const std::string& path, const std::string& text) override {
    if (fileWritesFail || !FolderExists(FolderOf(path))) return false;
    files[path] = text;
    return true;
  }
};

// A store set up the way the bar sets it up for instance 1, on the fake system.
class SettingsStoreFixture : public ::testing::Test {
 protected:
  static constexpr const char* kUserIni =
      "C:\\Users\\me\\AppData\\Quorvane\\Driftline\\dftline1.ini";
  static constexpr const char* kAllUsersIni = "C:\\ProgramData\\Quorvane\\Driftline\\dftline1.ini";
  static constexpr const char* kKey = "\\Software\\Quorvane\\Driftline\\1";
  static constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
  static constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;

  FakeSettingsSystem system;
  std::vector<std::string> log;
  std::unique_ptr<SettingsStore> store = Start();

  // A new store on the same system, as at the next start of the program.
  std::unique_ptr<SettingsStore> Start() {
    auto started = std::make_unique<SettingsStore>(system);
    started->OnLog = [this](const std::string& text) { log.push_back(text); };
    started->Properties().SettingsPath = "Quorvane\\Driftline";
    started->Properties().IniFileName = "dftline1.ini";
    started->Properties().RegKeyName = "Software\\Quorvane\\Driftline\\1";
    started->SetValue("Top", Value{0});
    started->SetValue("Frame", Value{true});
    return started;
  }

  Value StoredValue(std::string_view name) const {
    Value value;
    store->GetValue(name, value);
    return value;
  }
};

}  // namespace core
