#pragma once
// Settings subsystem: where the settings live, the ini and registry value forms, the table of
// the bar's values with their types and ranges, and what a change of each value touches.
//
// The settings store: a table of named values read from and saved to the place the location
// search picks. Every failure is a log message, except an ini file that exists and cannot be
// read, whose error reaches the caller (a save then leaves that file alone).

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/SettingsLocation.h"
#include "core/settings/ValueTable.h"

namespace core {

// The outside world of the store: the places, and reading and writing whole files.
class SettingsSystem : public SettingsPlaces {
 public:
  // The whole file; nullopt when it does not exist; throws when it exists but cannot be read or
  // is larger than kMaxIniFileSize.
  virtual std::optional<std::string> ReadTextFile(const std::string& path) = 0;
  // Replaces the file whole (written beside it, then renamed over it); false on failure, which
  // leaves the old file as it was.
  virtual bool ReplaceTextFile(const std::string& path, const std::string& text) = 0;
  // Removes the temporaries that replacements of `path` left beside it when they were killed;
  // returns how many.
  virtual int RemoveLeftoverTemporaries(const std::string& path) = 0;
};

class SettingsStore {
 public:
  explicit SettingsStore(SettingsSystem& system);
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Receives every message with "Settings: " in front; without a handler they are dropped.
  std::function<void(const std::string& text)> OnLog;

  // The published properties; UseIni and AllUsers also say where the settings are.
  SettingsProperties& Properties() { return location_.Properties(); }
  SettingsLocation& Location() { return location_; }
  ValueTable& Values() { return values_; }
  const ValueTable& Values() const { return values_; }

  // Replaces the value (and kind) of an existing name, or appends a new entry.
  void SetValue(std::string_view name, Value value);
  // The entry's value into `value`; a name not in the table leaves `value` as it was.
  bool GetValue(std::string_view name, Value& value) const;

  // Finds the place and replaces each table value by the stored one where there is one.
  void GetSettings();
  // Prepares the chosen place and writes every table value there.
  void SaveSettings();

 private:
  void Log(const std::string& message) const;
  void GetFromIni();
  void GetFromRegistry();
  // True when every value reached the place.
  bool SaveToIni();
  bool SaveToRegistry();

  SettingsSystem& system_;
  SettingsLocation location_;
  ValueTable values_;
};

}  // namespace core
