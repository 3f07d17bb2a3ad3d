#include "platform/TextFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "platform/Handles.h"
#include "platform/SystemError.h"

namespace platform {
namespace {

constexpr DWORD kChunkSize = 64 * 1024;

[[noreturn]] void ThrowCannotRead(const std::string& path, DWORD code) {
  throw SystemError(code, "Cannot read " + path + ": " + SystemMessage(code));
}

bool IsMissing(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// Beside the file, so that the rename stays on one volume; unique per process and call, so that
// two saves never share one temporary.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + "." + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter) +
         ".tmp";
}

bool WriteAll(HANDLE file, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(text.size() - written, kChunkSize));
    DWORD done = 0;
    if (!::WriteFile(file, text.data() + written, chunk, &done, nullptr) || done == 0) return false;
    written += done;
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxSize) {
  // Other programs may keep the file open for writing; reading it as it stands is what they expect.
  UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD code = ::GetLastError();
    if (IsMissing(code)) return std::nullopt;
    ThrowCannotRead(path, code);
  }
  const auto tooLarge = [&] {
    return std::runtime_error("Cannot read " + path + ": the file is larger than " +
                              std::to_string(maxSize) + " bytes");
  };
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) ThrowCannotRead(path, ::GetLastError());
  if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxSize) {
    throw tooLarge();
  }
  std::string text;
  text.reserve(static_cast<std::size_t>(size.QuadPart));
  // The file may grow while it is read: the bound holds for what is read, not for what was said.
  std::string chunk(kChunkSize, '\0');
  for (;;) {
    DWORD done = 0;
    if (!::ReadFile(file.get(), chunk.data(), kChunkSize, &done, nullptr)) {
      ThrowCannotRead(path, ::GetLastError());
    }
    if (done == 0) return text;
    if (text.size() + done > maxSize) throw tooLarge();
    text.append(chunk.data(), done);
  }
}

bool ReplaceTextFile(const std::string& path, const std::string& text) {
  // No name would put the temporary in whatever the current directory is.
  if (path.empty()) return false;
  const std::string temporary = TemporaryNameFor(path);
  bool written = false;
  {
    UniqueHandle file(::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    written = WriteAll(file.get(), text) && ::FlushFileBuffers(file.get());
  }
  if (written && ::MoveFileExA(temporary.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileA(temporary.c_str());
  return false;
}

}  // namespace platform
