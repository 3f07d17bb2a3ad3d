#pragma once
// The program's start-at-login entry: the value "Driftline" under the Run key of a hive.

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

inline constexpr const char* kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The entry's data; nullopt when the key or the value is missing or cannot be read.
std::optional<std::string> ReadRunEntry(HKEY root);
// Writes the entry, creating the key if needed; false when the key cannot be opened to write.
bool WriteRunEntry(HKEY root, const std::string& data);
// Deletes the entry if there is one; false when the key exists but cannot be opened to write.
bool DeleteRunEntry(HKEY root);

}  // namespace platform
