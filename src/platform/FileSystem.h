#pragma once
// Files, folders and the program's own location, with paths of any length.

#include <string>

namespace platform {

bool FileExists(const std::string& path);  // an existing file, not a folder
bool FolderExists(const std::string& path);
bool CreateFolder(const std::string& path);  // false when the system refuses
std::string ModuleFileName();                // the full path of the running program
// A shell folder (CSIDL_*) without a trailing backslash; empty when the system has none.
std::string SpecialFolderPath(int csidl);

}  // namespace platform
