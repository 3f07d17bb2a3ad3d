#pragma once
// TSettings: the settings store on the real registry and real ini files. Where the settings live
// and how values are kept is decided in core::SettingsStore; this component gives it Windows and
// makes sure that reading and saving never take the caller down.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/settings/SettingsStore.h"

class TSettings {
 public:
  TSettings();
  ~TSettings();
  TSettings(const TSettings&) = delete;
  TSettings& operator=(const TSettings&) = delete;

  // The published properties: RegKeyName, IniFileName, ForceIniFile, UseIni, AllUsers, ...
  core::SettingsProperties& Properties();
  // Receives each store message, already prefixed with "Settings: ".
  std::function<void(const std::string& message)> OnLog;

  void SetValue(std::string_view name, core::Value value);
  bool GetValue(std::string_view name, core::Value& value) const;
  core::ValueTable& Values();

  void ResolvePaths();
  void FindGetLocation();
  void FindSaveLocation();
  // True when the folder exists or could be made.
  bool CheckUserPath();
  bool CheckAllUsersPath();

  void GetSettings();   // never throws: failures are logged
  void SaveSettings();  // never throws: failures are logged

 private:
  void Log(const std::string& message) const noexcept;

  std::unique_ptr<core::SettingsSystem> system_;
  core::SettingsStore store_;
};
