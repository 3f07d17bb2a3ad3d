#include "platform/FileSystem.h"

#include <shlobj.h>
#include <windows.h>

#include "core/text/FileStamp.h"
#include "platform/Handles.h"

namespace platform {

bool FileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}

std::string ModuleFileName() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string SpecialFolderPath(int csidl) {
  char buffer[MAX_PATH + 1] = {};
  if (!::SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE)) return {};
  return buffer;
}

std::int32_t LastWriteStamp(const std::string& path) {
  WIN32_FIND_DATAA found{};
  const UniqueFind search(::FindFirstFileA(path.c_str(), &found));
  if (!search || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return core::kStampMissing;
  FILETIME local{};
  SYSTEMTIME time{};
  ::FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
  ::FileTimeToSystemTime(&local, &time);
  return core::FileStampOf(core::PathKind::File, {time.wYear, time.wMonth, time.wDay, time.wHour,
                                                  time.wMinute, time.wSecond});
}

}  // namespace platform
