#include "platform/TextFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <stdexcept>

#include "core/program/ProgramPaths.h"
#include "core/settings/TemporaryFileName.h"
#include "platform/Handles.h"
#include "platform/SystemError.h"

namespace platform {
namespace {

constexpr DWORD kChunkSize = 64 * 1024;
// Larger reads are split: a single call for hundreds of megabytes gains nothing.
constexpr DWORD kReadSize = 16 * 1024 * 1024;

[[noreturn]] void ThrowCannotRead(const std::string& path, DWORD code) {
  throw SystemError(code, "Cannot read " + path + ": " + SystemMessage(code));
}

bool IsMissing(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

constexpr int kTemporaryAttempts = 16;

// Beside the file, so that the rename stays on one volume; unique per process and call, so that
// two saves never share one temporary.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<std::uint32_t> counter{0};
  return core::TemporaryPathFor(path, ::GetCurrentProcessId(), ++counter);
}

class WriteFileWriter : public FileWriter {
 public:
  std::size_t Write(void* file, std::string_view bytes) override {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunkSize));
    DWORD done = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &done, nullptr)) return 0;
    return done;
  }
};

bool WriteAll(HANDLE file, std::string_view text, FileWriter& writer) {
  while (!text.empty()) {
    const std::size_t done = std::min(writer.Write(file, text), text.size());
    if (done == 0) return false;
    text.remove_prefix(done);
  }
  return true;
}

// A temporary of our own id was left by an ended process whose id we were given; our own
// replacements remove theirs. For any other id, a process that may still be writing.
bool WriterMayStillRun(std::uint32_t processId) {
  if (processId == ::GetCurrentProcessId()) return false;
  const UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) return ::GetLastError() != ERROR_INVALID_PARAMETER;  // denied: it exists
  return ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit,
                                         FileSharing sharing) {
  const DWORD share = sharing == FileSharing::AllowWriters
                          ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                          : FILE_SHARE_READ;
  UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    const DWORD code = ::GetLastError();
    if (IsMissing(code)) return std::nullopt;
    ThrowCannotRead(path, code);
  }
  const auto tooLarge = [&] {
    return FileTooLarge("Cannot read " + path + ": the file is larger than " +
                        std::to_string(limit) + " bytes");
  };
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) ThrowCannotRead(path, ::GetLastError());
  if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit) {
    throw tooLarge();
  }
  // Read straight into the text, so that a large file costs its size once.
  std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
  const auto readInto = [&](char* into, std::size_t wanted) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), into, static_cast<DWORD>(std::min<std::size_t>(wanted, kReadSize)),
                    &read, nullptr)) {
      ThrowCannotRead(path, ::GetLastError());
    }
    return static_cast<std::size_t>(read);
  };
  std::size_t done = 0;
  while (done < text.size()) {
    const std::size_t read = readInto(text.data() + done, text.size() - done);
    if (read == 0) {  // the file shrank while it was read
      text.resize(done);
      return text;
    }
    done += read;
  }
  // The file may have grown while it was read: the bound holds for what is read, not for what
  // was said.
  std::string more(kChunkSize, '\0');
  for (;;) {
    const std::size_t read = readInto(more.data(), more.size());
    if (read == 0) return text;
    if (text.size() + read > limit) throw tooLarge();
    text.append(more.data(), read);
  }
}

FileWriter& SystemFileWriter() {
  static WriteFileWriter writer;
  return writer;
}

bool ReplaceTextFile(const std::string& path, const std::string& text, FileWriter& writer) {
  // No name would put the temporary in whatever the current directory is.
  if (path.empty()) return false;
  std::string temporary;
  bool written = false;
  {
    UniqueHandle file;
    // A name left by a killed run of an earlier process with our id is taken: the next one is
    // tried, so that no leftover can stop every later save.
    for (int attempt = 0; attempt < kTemporaryAttempts && !file; ++attempt) {
      temporary = TemporaryNameFor(path);
      file.reset(::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file && ::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (!file) return false;
    written = WriteAll(file.get(), text, writer) && ::FlushFileBuffers(file.get());
  }
  if (written && ::MoveFileExA(temporary.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileA(temporary.c_str());
  return false;
}

void AppendLine(const std::string& path, std::string_view line, AppendMode mode) {
  const bool create = mode == AppendMode::StartNewFile;
  UniqueHandle file(::CreateFileA(
      path.c_str(), create ? GENERIC_WRITE : FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
      nullptr, create ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowLastError();
  std::string text(line);
  text += "\r\n";
  if (!WriteAll(file.get(), text, SystemFileWriter()) || !::FlushFileBuffers(file.get())) {
    ThrowLastError();
  }
}

int RemoveLeftoverTemporaries(const std::string& path) {
  const std::string folder = core::FolderOf(path);
  const std::string target = core::FileNameOf(path);
  if (target.empty()) return 0;
  WIN32_FIND_DATAA found{};
  // The wildcard also meets short names and other patterns; each found name is checked whole.
  const UniqueFind search(::FindFirstFileA((path + ".*.tmp").c_str(), &found));
  if (!search) return 0;
  int removed = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const auto writer = core::TemporaryWriterOf(target, found.cFileName);
    if (!writer || WriterMayStillRun(*writer)) continue;
    // A temporary still open for writing refuses deletion; one already closed makes its save's
    // rename fail, which that save reports.
    if (::DeleteFileA((folder + found.cFileName).c_str())) ++removed;
  } while (::FindNextFileA(search.get(), &found));
  return removed;
}

}  // namespace platform
