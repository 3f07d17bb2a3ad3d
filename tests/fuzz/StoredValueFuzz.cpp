// Stored values as text and as registry data (booleans, integers, colours, numbers, strings):
// a read keeps the value's kind, reports only the errors it documents, reads back what it writes,
// and leaves every clamped integer within its range.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/settings/IniText.h"
#include "core/settings/RegistryValues.h"
#include "core/settings/SettingsValueText.h"
#include "core/settings/TickerSettings.h"
#include "core/settings/ValueTable.h"

namespace {

using core::RegistryType;
using core::Value;

const std::array<Value, 7> kCurrentValues{Value{std::int32_t{3}},
                                          Value{core::kColorBtnFace},
                                          Value{std::int32_t{128}},
                                          Value{true},
                                          Value{false},
                                          Value{2.5},
                                          Value{std::string("old")}};
constexpr std::array kRegistryTypes{RegistryType::Absent, RegistryType::Dword, RegistryType::String,
                                    RegistryType::Other};

bool OnlyDigits(std::string_view text) {
  if (text.starts_with('-') || text.starts_with('+')) text.remove_prefix(1);
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void CheckText(std::string_view text, const Value& current) {
  const Value read = core::ValueFromText(text, current);
  FUZZ_CHECK(read.index() == current.index());
  const auto integer = core::ParseStoredInteger(text);
  // Up to nine digits always fit; a number is never read from anything but digits.
  const std::string_view trimmed = core::TrimBlanks(text);
  if (OnlyDigits(trimmed) && trimmed.size() <= 9) FUZZ_CHECK(integer.has_value());
  if (integer) FUZZ_CHECK(OnlyDigits(trimmed));
  if (std::holds_alternative<std::int32_t>(current)) {
    FUZZ_CHECK(read == (integer ? Value{*integer} : current));
  }
  if (std::holds_alternative<bool>(current)) {
    FUZZ_CHECK(read == (integer ? Value{*integer != 0} : current));
  }
  if (const double* number = std::get_if<double>(&read)) {
    FUZZ_CHECK(*number <= std::numeric_limits<double>::max() &&
               *number >= std::numeric_limits<double>::lowest());
  }
  // What is written reads back as the same value.
  const auto written = core::ValueToText(read);
  FUZZ_CHECK(written.has_value());
  FUZZ_CHECK(core::ValueFromText(*written, current) == read);
}

void CheckRegistry(std::string_view bytes, RegistryType type, RegistryType existing,
                   const Value& current) {
  const core::RegistryData data = core::DecodeRegistryData(type, bytes);
  if (data.type == RegistryType::String) {
    FUZZ_CHECK(data.text.find('\0') == std::string::npos && bytes.starts_with(data.text));
  }
  if (data.type == RegistryType::Dword) FUZZ_CHECK(bytes.size() == 4);
  const auto read = core::ReadRegistryValue(current, data);
  if (!read) return;  // the documented failure: a stored type that cannot give this kind
  FUZZ_CHECK(read->index() == current.index());
  const auto plan = core::PlanRegistryWrite(*read, existing);
  if (!plan) return;
  const auto again = core::ReadRegistryValue(
      current, core::DecodeRegistryData(plan->type, core::EncodeRegistryData(*plan)));
  FUZZ_CHECK(again && *again == *read);
}

// The bar's stored values with their defaults, built once; the ranges of the clamped ones.
struct Start {
  core::ValueTable defaults;
  std::vector<std::optional<core::IntRange>> ranges;  // in table order
};

const Start& StartTable() {
  static const Start start = [] {
    Start made;
    made.defaults.Set(core::kActiveTabName, core::kActiveTabDefault);
    core::StoreTickerSettings(core::TickerSettings{}, made.defaults);
    for (const auto& entry : made.defaults) made.ranges.push_back(core::ClampRangeOf(entry.Name()));
    return made;
  }();
  return start;
}

// Copies the values of `from` into `to`, a table with the same names in the same order.
void CopyValues(const core::ValueTable& from, core::ValueTable& to) {
  auto entry = to.begin();
  for (const auto& source : from) (entry++)->value = source.value;
}

// The bar's start: every stored value read from a settings file, then clamped.
void CheckClamps(std::string_view text) {
  const Start& start = StartTable();
  static core::ValueTable table = start.defaults;
  static core::ValueTable read = start.defaults;
  CopyValues(start.defaults, table);
  core::ReadIniValues(text, "Settings", table);
  CopyValues(table, read);
  const auto messages = core::ClampTickerValues(table);
  std::size_t changed = 0;
  auto before = read.begin();
  auto original = start.defaults.begin();
  auto range = start.ranges.begin();
  for (const auto& entry : table) {
    FUZZ_CHECK(entry.value.index() == (original++)->value.index());
    const core::Value& valueRead = (before++)->value;
    if (valueRead != entry.value) ++changed;
    const auto& clamp = *range++;
    if (!clamp) continue;
    // Within the range, at the end nearer to the value read.
    const std::int32_t number = std::get<std::int32_t>(entry.value);
    FUZZ_CHECK(number == std::clamp(std::get<std::int32_t>(valueRead), clamp->low, clamp->high));
  }
  FUZZ_CHECK(table.Size() == start.defaults.Size());
  FUZZ_CHECK(messages.size() == changed);
  FUZZ_CHECK(core::ClampTickerValues(table).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const Value current = provider.PickValueInArray(kCurrentValues);
  const RegistryType type = provider.PickValueInArray(kRegistryTypes);
  const RegistryType existing = provider.PickValueInArray(kRegistryTypes);
  const std::string text = provider.ConsumeRemainingBytesAsString();
  CheckText(text, current);
  CheckRegistry(text, type, existing, current);
  CheckClamps(text);
  return 0;
}
