#include "core/settings/SettingsStore.h"

#include <exception>
#include <utility>

#include "core/settings/IniText.h"
#include "core/settings/TickerSettings.h"

namespace core {

SettingsStore::SettingsStore(SettingsSystem& system)
    : system_(system), location_(system, [this](const std::string& message) { Log(message); }) {}

void SettingsStore::Log(const std::string& message) const {
  if (OnLog) OnLog("Settings: " + message);
}

void SettingsStore::SetValue(std::string_view name, Value value) {
  values_.Set(name, std::move(value));
}

bool SettingsStore::GetValue(std::string_view name, Value& value) const {
  return values_.Get(name, value);
}

void SettingsStore::GetSettings() {
  location_.FindGetLocation();
  if (Properties().UseIni) {
    GetFromIni();
  } else {
    GetFromRegistry();
  }
}

void SettingsStore::SaveSettings() {
  location_.FindSaveLocation();
  const bool saved = Properties().UseIni ? SaveToIni() : SaveToRegistry();
  if (saved) location_.RemoveStaleCopies();
}

void SettingsStore::GetFromIni() {
  const std::string& path = location_.IniPath();
  const std::string text = system_.ReadTextFile(path).value_or(std::string());
  Log("GetSettings: " + path);
  ReadIniValues(text, Properties().IniSectionName, values_);
}

void SettingsStore::GetFromRegistry() {
  const RegistryRoot root = location_.Root();
  const auto key = system_.OpenKey(root, location_.SubKey(), KeyOpening::ExistingOnly);
  if (!key) {
    Log("GetSettings: settings not found anywhere");
    return;
  }
  Log("GetSettings: " + std::string(RootName(root)) + Properties().RegKeyName);
  for (ValueTable::Entry& entry : values_) {
    std::optional<Value> value;
    std::string outOfRange;
    try {
      if (IsRegistryValueName(entry.Name())) {
        const RegistryData data = key->Read(entry.Name());
        value = ReadRegistryValue(entry.value, data);
        // A DWORD is unsigned where the value cannot be negative: ReadRegistryValue knows no
        // names, and would make 0xFFFFFFFF a -1 that the clamp then turns into the low end.
        if (value && data.type == RegistryType::Dword && KindOf(*value) == ValueKind::Integer) {
          DwordInteger number = IntegerOfDword(entry.Name(), data.dword);
          value = Value{number.value};
          outOfRange = std::move(number.outOfRange);
        }
      }
    } catch (const std::exception&) {
      value.reset();
    }
    if (value) {
      entry.value = std::move(*value);
      if (!outOfRange.empty()) Log(outOfRange);
    } else {
      Log("GetSettings: exception reading " + entry.Name());
    }
  }
}

bool SettingsStore::SaveToIni() {
  const std::string& path = location_.IniPath();
  // Read before writing: other sections and names of the file are kept, and a file that exists
  // but cannot be read stops the save before anything is overwritten.
  const std::string existing = system_.ReadTextFile(path).value_or(std::string());
  Log("SaveSettings: " + path);
  // Each save killed part way leaves one; nothing else would ever remove them.
  const int leftovers = system_.RemoveLeftoverTemporaries(path);
  if (leftovers > 0) {
    Log("SaveSettings: removed " + std::to_string(leftovers) + " temporary " +
        (leftovers == 1 ? "file" : "files") + " left by an interrupted save");
  }
  const IniWrite merged = WriteIniValues(existing, Properties().IniSectionName, values_);
  for (const std::string& name : merged.unwritten) Log("SaveSettings: exception writing " + name);
  bool saved = false;
  try {
    saved = system_.ReplaceTextFile(path, merged.text);
  } catch (const std::exception&) {
    saved = false;
  }
  if (!saved) Log("SaveSettings: exception saving settings");
  return saved && merged.unwritten.empty();
}

bool SettingsStore::SaveToRegistry() {
  const RegistryRoot root = location_.Root();
  const auto key = system_.OpenKey(root, location_.SubKey(), KeyOpening::CreateIfMissing);
  if (!key) {
    Log("SaveSettings: exception saving settings");
    return false;
  }
  bool everyValue = true;
  Log("SaveSettings: " + std::string(RootName(root)) + Properties().RegKeyName);
  for (const ValueTable::Entry& entry : values_) {
    bool written = false;
    try {
      if (IsRegistryValueName(entry.Name())) {
        const auto data = PlanRegistryWrite(entry.value, key->TypeOf(entry.Name()));
        written = data && key->Write(entry.Name(), *data);
      }
    } catch (const std::exception&) {
      written = false;
    }
    if (!written) {
      Log("SaveSettings: exception writing " + entry.Name());
      everyValue = false;
    }
  }
  return everyValue;
}

}  // namespace core
