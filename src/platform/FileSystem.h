#pragma once
// Files, folders and the program's own location, with paths of any length.

#include <cstdint>
#include <string>

#include "core/settings/AppDataFolder.h"

namespace platform {

bool FileExists(const std::string& path);  // an existing file, not a folder
bool FolderExists(const std::string& path);
bool CreateFolder(const std::string& path);  // false when the system refuses
std::string ModuleFileName();                // the full path of the running program
// A shell folder (CSIDL_*) without a trailing backslash; empty when the system has none.
std::string SpecialFolderPath(int csidl);

// The file's last write as a packed local stamp (core/FileStamp.h); kStampMissing when there is
// no such file or the path names a folder.
std::int32_t LastWriteStamp(const std::string& path);

// The real file system for the folder rules of core.
class SystemFolders : public core::FolderMaker {
 public:
  bool FolderExists(const std::string& folder) override { return platform::FolderExists(folder); }
  bool MakeFolder(const std::string& folder) override { return CreateFolder(folder); }
};

}  // namespace platform
