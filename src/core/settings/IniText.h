#pragma once
// The ini text format of the settings file. Reading follows the way Windows reads ini files:
// "[Section]" and "name=value" lines, sections and names without regard to case, blanks around
// names and values ignored, one pair of double quotes around a value dropped, and the first of
// several lines of one name wins. Writing changes only the lines of the values it writes, so
// every other section, name, comment and blank line of the file survives a save.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/ValueTable.h"

namespace core {

struct IniEntry {
  std::string name;
  std::string value;
};

// A settings file larger than this is refused rather than read, and so never overwritten.
inline constexpr std::size_t kMaxIniFileSize = std::size_t{16} * 1024 * 1024;

// Whether `name` can be written as a name line and read back as the same name.
bool IsIniName(std::string_view name);
// Whether `section` can be written as a section header and read back as the same section.
bool IsIniSectionName(std::string_view section);
// Whether `value` fits on one line (no CR, LF or NUL); any other bytes read back unchanged.
bool IsIniValue(std::string_view value);

// Every name of every section called `section`, in file order, each name once (its first line).
std::vector<IniEntry> ReadIniSection(std::string_view text, std::string_view section);

// `text` with `entries` set in `section`: a name already there is rewritten in place (its later
// duplicates go), a new name is added at the end of the first such section, and the section is
// added at the end when there is none. Entries that cannot be written are left out. Lines end in
// CR LF.
std::string MergeIniSection(std::string_view text, std::string_view section,
                            std::span<const IniEntry> entries);

// Replaces each table value that `section` of `text` holds, read as the kind of the table value.
void ReadIniValues(std::string_view text, std::string_view section, ValueTable& table);

struct IniWrite {
  std::string text;
  std::vector<std::string> unwritten;  // names whose value could not be written, in table order
};

// `text` with every table value merged into `section`.
IniWrite WriteIniValues(std::string_view text, std::string_view section, const ValueTable& table);

}  // namespace core
