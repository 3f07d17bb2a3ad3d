#pragma once
// The temporary file that a safe replacement writes beside its target before renaming it over
// the target: "<target>.<process id>-<serial>.tmp". One that a killed process left behind is
// recognised by that name alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// "C:\a\dftline1.ini", 368, 1 -> "C:\a\dftline1.ini.368-1.tmp".
std::string TemporaryPathFor(std::string_view targetPath, std::uint32_t processId,
                             std::uint32_t serial);

// The id of the process that wrote `fileName` when it is a temporary of `targetName` (both
// without folder, compared byte for byte); nullopt for every other name.
std::optional<std::uint32_t> TemporaryWriterOf(std::string_view targetName,
                                               std::string_view fileName);

}  // namespace core
