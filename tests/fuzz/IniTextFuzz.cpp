// The settings file's text: what a read finds, what a merge keeps, and that a table written and
// read again is the same table.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/settings/IniText.h"
#include "core/settings/SettingsValueText.h"
#include "core/settings/TickerSettings.h"
#include "core/settings/ValueTable.h"

namespace {

using core::IniEntry;

// Names and values a merge is asked to write: the program's own, and every kind it must refuse
// or quote.
constexpr std::array<std::string_view, 12> kNames{
    "FontName", "fontname", "Amount", "LinesToLoad", "CommentStr", "x",
    "",         " lead",    "a=b",    "[Section",    ";comment",   std::string_view("n\0ul", 4)};
constexpr std::array<std::string_view, 10> kValues{
    "1",     "",   " padded ", "\"quoted\"",    "a;b",
    "x = y", "\"", "[Other]",  "line\r\nbreak", std::string_view("n\0ul", 4)};
constexpr std::array<std::string_view, 4> kSections{"Settings", "settings", "Other", "S p"};

// Folded names to values: what a reader of the section sees.
using Seen = std::map<std::string, std::string>;

Seen SeenIn(std::string_view text, std::string_view section) {
  Seen seen;
  for (const IniEntry& entry : core::ReadIniSection(text, section)) {
    seen.emplace(fuzz::UpperAscii(entry.name), entry.value);
  }
  return seen;
}

std::string_view WithoutMark(std::string_view line, std::size_t index) {
  return index == 0 && line.starts_with("\xEF\xBB\xBF") ? line.substr(3) : line;
}

// The lines that lie outside every section called `section`, and those inside that are not a
// value line of an `owned` name: a merge writes them all back, in order.
std::vector<std::string_view> LinesAMergeKeeps(std::string_view text, std::string_view section,
                                               const Seen& owned) {
  std::vector<std::string_view> kept;
  bool inside = false;
  const auto lines = fuzz::Lines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = core::TrimBlanks(WithoutMark(lines[i], i));
    if (line.starts_with('[') && line.find(']') != std::string_view::npos) {
      inside = core::SameName(core::TrimBlanks(line.substr(1, line.find(']') - 1)), section);
    } else if (inside && !line.starts_with('[') && !line.starts_with(';') &&
               line.find('=') != std::string_view::npos) {
      const std::string_view name = core::TrimBlanks(line.substr(0, line.find('=')));
      if (!name.empty() && owned.contains(fuzz::UpperAscii(name))) continue;
    }
    kept.push_back(lines[i]);
  }
  return kept;
}

void CheckRead(std::string_view text, std::string_view section) {
  const std::vector<IniEntry> entries = core::ReadIniSection(text, section);
  Seen names;
  for (const IniEntry& entry : entries) {
    FUZZ_CHECK(!entry.name.empty());
    FUZZ_CHECK(core::IsIniValue(entry.value));
    FUZZ_CHECK(names.emplace(fuzz::UpperAscii(entry.name), entry.value).second);  // each name once
  }
  // What the format can write comes back as it was.
  std::vector<IniEntry> writable;
  for (const IniEntry& entry : entries) {
    if (core::IsIniName(entry.name)) writable.push_back(entry);
  }
  const std::string produced = core::MergeIniSection("", section, writable);
  if (!core::IsIniSectionName(section)) {
    FUZZ_CHECK(produced.empty());
    return;
  }
  const std::vector<IniEntry> again = core::ReadIniSection(produced, section);
  FUZZ_CHECK(again.size() == writable.size());
  for (std::size_t i = 0; i < again.size(); ++i) {
    FUZZ_CHECK(again[i].name == writable[i].name && again[i].value == writable[i].value);
  }
}

void CheckMerge(std::string_view text, std::string_view section,
                const std::vector<IniEntry>& entries) {
  const std::string merged = core::MergeIniSection(text, section, entries);
  if (!core::IsIniSectionName(section)) {
    FUZZ_CHECK(merged == text);
    return;
  }
  Seen owned;
  for (const IniEntry& entry : entries) {
    if (core::IsIniName(entry.name) && core::IsIniValue(entry.value)) {
      owned.emplace(fuzz::UpperAscii(entry.name), entry.value);  // the first of a repeated name
    }
  }
  // A reader sees the old values with the written ones over them.
  Seen expected = SeenIn(text, section);
  for (const auto& [name, value] : owned) expected[name] = value;
  FUZZ_CHECK(SeenIn(merged, section) == expected);
  FUZZ_CHECK(fuzz::IsSubsequence(LinesAMergeKeeps(text, section, owned), fuzz::Lines(merged)));
  FUZZ_CHECK(core::MergeIniSection(merged, section, entries) == merged);
}

// The program's defaults, built once: a read only changes the values of names already there.
const core::ValueTable& Defaults() {
  static const core::ValueTable defaults = [] {
    core::ValueTable table;
    core::StoreTickerSettings(core::TickerSettings{}, table);
    table.Set("Ratio", 0.5);
    return table;
  }();
  return defaults;
}

// Puts the default values back into a copy of the defaults, in place: same names, same order.
core::ValueTable& Reset(core::ValueTable& table) {
  auto entry = table.begin();
  for (const auto& original : Defaults()) (entry++)->value = original.value;
  return table;
}

// The program's own path: the ticker table read from the text, written, and read again.
void CheckTable(std::string_view text, std::string_view section) {
  static core::ValueTable table = Defaults();
  static core::ValueTable again = Defaults();
  core::ReadIniValues(text, section, Reset(table));
  const core::IniWrite written = core::WriteIniValues(text, section, table);
  if (!core::IsIniSectionName(section)) return;
  FUZZ_CHECK(written.unwritten.empty());
  core::ReadIniValues(written.text, section, Reset(again));
  FUZZ_CHECK(again.Size() == table.Size());
  for (auto entry = table.begin(), other = again.begin(); entry != table.end(); ++entry, ++other) {
    FUZZ_CHECK(other->Name() == entry->Name() && other->value == entry->value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  // Choices come from the end of the input, so that a seed is an ini file with a few bytes after.
  const std::string_view section = provider.PickValueInArray(kSections);
  std::vector<IniEntry> entries(provider.ConsumeIntegralInRange<std::size_t>(0, 6));
  for (IniEntry& entry : entries) {
    entry.name = provider.PickValueInArray(kNames);
    entry.value = provider.PickValueInArray(kValues);
  }
  const std::string text = provider.ConsumeRemainingBytesAsString();
  CheckRead(text, section);
  CheckMerge(text, section, entries);
  CheckTable(text, section);
  return 0;
}
