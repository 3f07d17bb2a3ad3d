#include "core/settings/Policies.h"

#include <array>
#include <exception>
#include <optional>
#include <utility>

#include "core/settings/SettingsValueText.h"

namespace core {
namespace {

struct NamedKey {
  RegistryKey* key;
  std::string_view hive;
};

// The policy editor writes numbers and on/off as DWORDs and text as strings; a number typed as
// text is taken as well, as it is from the store. `outOfRange` receives what IntegerOfDword says
// of the value.
std::optional<Value> PolicyValue(std::string_view name, const Value& kind, const RegistryData& data,
                                 std::string& outOfRange) {
  if (KindOf(kind) == ValueKind::String) {
    if (data.type != RegistryType::String) return std::nullopt;
    return Value{data.text};
  }
  std::optional<std::int32_t> number;
  if (data.type == RegistryType::Dword) {
    DwordInteger dword = IntegerOfDword(name, data.dword);
    number = dword.value;
    outOfRange = std::move(dword.outOfRange);
  }
  if (data.type == RegistryType::String) number = ParseStoredInteger(data.text);
  if (!number) return std::nullopt;
  if (KindOf(kind) == ValueKind::Boolean) return Value{*number != 0};
  return Value{*number};
}

std::optional<Value> ReadPolicy(const PolicyKeys& keys, std::string_view name, const Value& kind,
                                std::vector<std::string>& log) {
  const std::array<NamedKey, 2> order{NamedKey{keys.machine, "HKEY_LOCAL_MACHINE"},
                                      NamedKey{keys.user, "HKEY_CURRENT_USER"}};
  for (const NamedKey& each : order) {
    if (each.key == nullptr) continue;
    const std::string where =
        std::string(each.hive) + "\\" + std::string(kPolicyKeyName) + "\\" + std::string(name);
    RegistryData data;
    try {
      data = each.key->Read(std::string(name));
    } catch (const std::exception& error) {
      log.push_back("Policy: cannot read " + where + ": " + error.what() + ", ignored");
      continue;
    }
    if (data.type == RegistryType::Absent) continue;
    std::string outOfRange;
    std::optional<Value> value = PolicyValue(name, kind, data, outOfRange);
    if (!value) {
      log.push_back("Policy: " + where + " is not a valid value, ignored");
      continue;
    }
    log.push_back("Policy: " + std::string(name) + " set by " + std::string(each.hive));
    if (!outOfRange.empty()) log.push_back("Policy: " + outOfRange);
    return value;
  }
  return std::nullopt;
}

}  // namespace

PolicyReading ReadPolicies(const PolicyKeys& keys) {
  PolicyReading reading;
  const TickerSettings defaults;
  for (const TickerSetting& setting : TickerSettingList()) {
    std::optional<Value> value =
        ReadPolicy(keys, setting.name, ValueOf(defaults, setting), reading.log);
    if (value) reading.policies.values.Set(setting.name, std::move(*value));
  }
  for (std::string& line : ClampTickerValues(reading.policies.values, "Policy: ")) {
    reading.log.push_back(std::move(line));
  }
  const auto on = [&](std::string_view name) {
    const std::optional<Value> value = ReadPolicy(keys, name, Value{false}, reading.log);
    return value && std::get<bool>(*value);
  };
  reading.policies.DisableOptions = on(kDisableOptionsName);
  reading.policies.DisableExit = on(kDisableExitName);
  return reading;
}

TickerSettings PolicyLayer::Use(const TickerSettings& values) const {
  return TickerSettingsFrom(policies_.values, values);
}

TickerSettings PolicyLayer::Stored(const TickerSettings& used) const {
  TickerSettings stored = used;
  for (const TickerSetting& setting : TickerSettingList()) {
    if (!policies_.Sets(setting.name)) continue;
    std::visit([&](auto field) { stored.*field = user_.*field; }, setting.field);
  }
  return stored;
}

TickerSettings PolicyLayer::Replace(Policies policies, const TickerSettings& used) {
  user_ = Stored(used);
  policies_ = std::move(policies);
  return Use(user_);
}

}  // namespace core
