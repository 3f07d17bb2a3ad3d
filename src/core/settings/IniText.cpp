#include "core/settings/IniText.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/settings/SettingsValueText.h"

namespace core {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// Not find_first_of with a set: that calls memchr once per byte of the text.
bool HasLineBreakOrNul(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return IsLineBreak(c) || c == '\0'; });
}

// Splits on CR LF, CR or LF; a final break adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    lines.push_back(text.substr(pos, end - pos));
    if (end == text.size()) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

enum class LineKind { Blank, Section, Entry, Other };

struct IniLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or entry name
  std::string_view value;  // entry value as written, trimmed
};

IniLine ClassifyLine(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  if (text.empty()) return {LineKind::Blank, {}, {}};
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) return {};
    return {LineKind::Section, TrimBlanks(text.substr(1, close - 1)), {}};
  }
  if (text.front() == ';') return {};
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {};
  const std::string_view name = TrimBlanks(text.substr(0, equals));
  if (name.empty()) return {};
  return {LineKind::Entry, name, TrimBlanks(text.substr(equals + 1))};
}

// A NUL ends the value as the system's string functions would see it.
std::string Unquote(std::string_view value) {
  value = TrimBlanks(value.substr(0, value.find('\0')));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// Quotes keep blanks at either end, and a value that is itself quoted, through a read.
void AppendQuoted(std::string& out, std::string_view value) {
  const bool quote =
      !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                         (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
  if (quote) out += '"';
  out.append(value);
  if (quote) out += '"';
}

void AppendEntry(std::string& out, const IniEntry& entry) {
  out.append(entry.name).append("=");
  AppendQuoted(out, entry.value);
  out.append("\r\n");
}

// Editors that save UTF-8 put one in front of the first line; the line is kept with it.
std::string_view WithoutByteOrderMark(std::string_view line) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  return line.substr(0, kMark.size()) == kMark ? line.substr(kMark.size()) : line;
}

struct SectionScan {
  std::vector<IniLine> lines;
  std::vector<bool> inSection;             // the line lies in a section called `section`
  std::optional<std::size_t> insertAfter;  // last non-blank line of the first such section
};

SectionScan ScanSections(const std::vector<std::string_view>& lines, std::string_view section) {
  SectionScan scan;
  scan.lines.reserve(lines.size());
  scan.inSection.reserve(lines.size());
  bool inside = false;
  bool firstDone = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const IniLine line = ClassifyLine(i == 0 ? WithoutByteOrderMark(lines[i]) : lines[i]);
    if (line.kind == LineKind::Section) {
      if (inside) firstDone = true;
      inside = SameName(line.name, section);
      if (inside && !firstDone) scan.insertAfter = i;
    } else if (inside && !firstDone && line.kind != LineKind::Blank) {
      scan.insertAfter = i;
    }
    scan.lines.push_back(line);
    scan.inSection.push_back(inside && line.kind == LineKind::Entry);
  }
  return scan;
}

}  // namespace

bool IsIniName(std::string_view name) {
  return !name.empty() && !HasLineBreakOrNul(name) && name.find('=') == std::string_view::npos &&
         name.front() != '[' && name.front() != ';' && !IsBlank(name.front()) &&
         !IsBlank(name.back());
}

bool IsIniSectionName(std::string_view section) {
  return !section.empty() && !HasLineBreakOrNul(section) &&
         section.find(']') == std::string_view::npos && !IsBlank(section.front()) &&
         !IsBlank(section.back());
}

bool IsIniValue(std::string_view value) {
  return !HasLineBreakOrNul(value);
}

namespace {

// Calls `take(name, value)` for the first line of each name in the sections called `section`.
template <typename Take>
void ForEachSectionValue(std::string_view text, std::string_view section, Take take) {
  const SectionScan scan = ScanSections(SplitLines(text), section);
  std::unordered_set<std::string_view, NameHash, NameEqual> seen;
  for (std::size_t i = 0; i < scan.lines.size(); ++i) {
    if (scan.inSection[i] && seen.insert(scan.lines[i].name).second) {
      take(scan.lines[i].name, scan.lines[i].value);
    }
  }
}

}  // namespace

std::vector<IniEntry> ReadIniSection(std::string_view text, std::string_view section) {
  std::vector<IniEntry> entries;
  ForEachSectionValue(text, section, [&](std::string_view name, std::string_view value) {
    entries.push_back(IniEntry{std::string(name), Unquote(value)});
  });
  return entries;
}

std::string MergeIniSection(std::string_view text, std::string_view section,
                            std::span<const IniEntry> entries) {
  if (!IsIniSectionName(section)) return std::string(text);
  const std::vector<std::string_view> lines = SplitLines(text);
  const SectionScan scan = ScanSections(lines, section);

  // The entry that owns each name; of entries repeating a name, the first.
  std::unordered_map<std::string_view, std::size_t, NameHash, NameEqual> owner;
  owner.reserve(entries.size());
  std::vector<bool> owns(entries.size(), false);
  for (std::size_t e = 0; e < entries.size(); ++e) {
    if (IsIniName(entries[e].name) && IsIniValue(entries[e].value)) {
      owns[e] = owner.emplace(entries[e].name, e).second;
    }
  }
  const auto ownerOf = [&](std::size_t line) -> std::optional<std::size_t> {
    if (!scan.inSection[line]) return std::nullopt;
    const auto found = owner.find(scan.lines[line].name);
    if (found == owner.end()) return std::nullopt;
    return found->second;
  };
  std::vector<bool> present(entries.size(), false);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto e = ownerOf(i)) present[*e] = true;
  }

  std::string out;
  out.reserve(text.size() + entries.size() * 32 + section.size() + 8);
  const auto appendMissing = [&] {
    for (std::size_t e = 0; e < entries.size(); ++e) {
      if (owns[e] && !present[e]) AppendEntry(out, entries[e]);
    }
  };
  std::vector<bool> written(entries.size(), false);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto e = ownerOf(i)) {
      if (!written[*e]) AppendEntry(out, entries[*e]);
      written[*e] = true;
    } else {
      out.append(lines[i]).append("\r\n");
    }
    if (scan.insertAfter == i) appendMissing();
  }
  if (!scan.insertAfter) {
    if (!lines.empty() && !TrimBlanks(lines.back()).empty()) out.append("\r\n");
    out.append("[").append(section).append("]\r\n");
    appendMissing();
  }
  return out;
}

void ReadIniValues(std::string_view text, std::string_view section, ValueTable& table) {
  ForEachSectionValue(text, section, [&](std::string_view name, std::string_view value) {
    if (Value* current = table.Find(name)) *current = ValueFromText(Unquote(value), *current);
  });
}

IniWrite WriteIniValues(std::string_view text, std::string_view section, const ValueTable& table) {
  IniWrite result;
  std::vector<IniEntry> entries;
  entries.reserve(table.Size());
  const bool sectionOk = IsIniSectionName(section);
  for (const ValueTable::Entry& entry : table) {
    std::optional<std::string> valueText = ValueToText(entry.value);
    if (!sectionOk || !valueText || !IsIniName(entry.Name()) || !IsIniValue(*valueText)) {
      result.unwritten.push_back(entry.Name());
      continue;
    }
    entries.push_back(IniEntry{entry.Name(), std::move(*valueText)});
  }
  result.text = MergeIniSection(text, section, entries);
  return result;
}

}  // namespace core
