#include "components/Settings.h"

#include <shlobj.h>
#include <windows.h>

#include <exception>
#include <optional>
#include <utility>

#include "core/settings/IniText.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"

namespace {

HKEY RootKey(core::RegistryRoot root) {
  return root == core::RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class WindowsSettingsSystem : public core::SettingsSystem {
 public:
  std::string ProgramPath() override { return platform::ModuleFileName(); }

  std::optional<std::string> SpecialFolderPath(core::SpecialFolder folder) override {
    const int csidl =
        folder == core::SpecialFolder::UserAppData ? CSIDL_APPDATA : CSIDL_COMMON_APPDATA;
    std::string path = platform::SpecialFolderPath(csidl);
    if (path.empty()) return std::nullopt;
    return path;
  }

  bool FileExists(const std::string& path) override { return platform::FileExists(path); }
  void RemoveFile(const std::string& path) override { ::DeleteFileA(path.c_str()); }
  bool FolderExists(const std::string& folder) override { return platform::FolderExists(folder); }
  bool MakeFolder(const std::string& folder) override { return platform::CreateFolder(folder); }

  std::unique_ptr<core::RegistryKey> OpenKey(core::RegistryRoot root, const std::string& subKey,
                                             core::KeyOpening opening) override {
    // An empty name would hand out the root itself.
    if (subKey.empty()) return nullptr;
    platform::UniqueHkey key = opening == core::KeyOpening::CreateIfMissing
                                   ? platform::CreateKeyFullAccess(RootKey(root), subKey)
                                   : platform::OpenKeyFullAccess(RootKey(root), subKey);
    if (!key) return nullptr;
    return std::make_unique<platform::RegistryValueKey>(std::move(key));
  }

  void RemoveKey(core::RegistryRoot root, const std::string& subKey) override {
    platform::DeleteKeyWithoutSubkeys(RootKey(root), subKey);
  }

  std::optional<std::string> ReadTextFile(const std::string& path) override {
    return platform::ReadWholeFile(path, core::kMaxIniFileSize,
                                   platform::FileSharing::AllowWriters);
  }

  bool ReplaceTextFile(const std::string& path, const std::string& text) override {
    return platform::ReplaceTextFile(path, text);
  }

  int RemoveLeftoverTemporaries(const std::string& path) override {
    return platform::RemoveLeftoverTemporaries(path);
  }
};

}  // namespace

TSettings::TSettings() : system_(std::make_unique<WindowsSettingsSystem>()), store_(*system_) {
  store_.OnLog = [this](const std::string& message) { Log(message); };
}

TSettings::~TSettings() = default;

core::SettingsProperties& TSettings::Properties() {
  return store_.Properties();
}

void TSettings::SetValue(std::string_view name, core::Value value) {
  store_.SetValue(name, std::move(value));
}

bool TSettings::GetValue(std::string_view name, core::Value& value) const {
  return store_.GetValue(name, value);
}

core::ValueTable& TSettings::Values() {
  return store_.Values();
}

void TSettings::ResolvePaths() {
  store_.Location().ResolvePaths();
}

void TSettings::FindGetLocation() {
  store_.Location().FindGetLocation();
}

void TSettings::FindSaveLocation() {
  store_.Location().FindSaveLocation();
}

bool TSettings::CheckUserPath() {
  return store_.Location().CheckUserPath();
}

bool TSettings::CheckAllUsersPath() {
  return store_.Location().CheckAllUsersPath();
}

void TSettings::GetSettings() {
  try {
    store_.GetSettings();
  } catch (const std::exception& error) {
    // An unreadable settings file: the table keeps its values, the bar keeps running.
    Log("Settings: GetSettings: " + std::string(error.what()));
  } catch (...) {
    Log("Settings: GetSettings: unknown error");
  }
}

void TSettings::SaveSettings() {
  try {
    store_.SaveSettings();
  } catch (const std::exception& error) {
    // The store stops before writing anything, so the file that could not be read stays as it was.
    Log("Settings: SaveSettings: exception saving settings: " + std::string(error.what()));
  } catch (...) {
    Log("Settings: SaveSettings: exception saving settings");
  }
}

void TSettings::Log(const std::string& message) const noexcept {
  // A failing log must not turn a logged failure into an escaping one.
  try {
    if (OnLog) OnLog(message);
  } catch (...) {
  }
}
