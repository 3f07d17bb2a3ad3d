#pragma once
// Whole files read with a size bound, files replaced so that a failure never leaves half a file,
// and lines appended.

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

enum class FileSharing {
  // Settings and similar files: other programs may keep them open for writing, and reading them
  // as they stand is what those programs expect.
  AllowWriters,
  // The shown text: a file that another program holds open for writing is probably half
  // written, so opening it fails and the caller tries again later.
  DenyWriters,
};

class FileTooLarge : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole file; nullopt when there is no such file. Throws FileTooLarge when it holds more
// than `limit` bytes, SystemError with the system's message when it exists but cannot be opened
// or read (a folder, a file locked by another program), and std::bad_alloc when memory runs out.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit,
                                         FileSharing sharing);

// Puts bytes into an open file. The one step of writing that a test replaces, to make a write
// fail or stop part way through.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Writes a leading part of `bytes` to `file` (a HANDLE) and returns its length; 0 on failure.
  virtual std::size_t Write(void* file, std::string_view bytes) = 0;
};

// WriteFile.
FileWriter& SystemFileWriter();

// Writes `text` to a new file beside `path` (core/TemporaryFileName.h), flushes it and renames it
// over `path`. False on any failure, which removes the new file and leaves the old one as it was.
bool ReplaceTextFile(const std::string& path, const std::string& text,
                     FileWriter& writer = SystemFileWriter());

// Removes the temporaries that replacements of `path` left beside it when their process was
// killed; those of processes still running are theirs to finish. Returns how many it removed.
int RemoveLeftoverTemporaries(const std::string& path);

enum class AppendMode { StartNewFile, AppendToEnd };

// Writes `line` and a line break and flushes them; throws SystemError on failure. Other
// programs may read and append to the file meanwhile.
void AppendLine(const std::string& path, std::string_view line, AppendMode mode);

}  // namespace platform
