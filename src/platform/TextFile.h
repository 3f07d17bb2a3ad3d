#pragma once
// Whole text files read with a size bound and replaced so that a failure never leaves half a file.

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The whole file; nullopt when there is no such file. Throws SystemError with the system's message
// when it exists but cannot be read (a folder, a file locked by another program), and
// std::runtime_error when it is larger than `maxSize`.
std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxSize);

// Writes `text` to a new file beside `path`, flushes it and renames it over `path`. False on any
// failure, which removes the new file and leaves the old one as it was.
bool ReplaceTextFile(const std::string& path, const std::string& text);

}  // namespace platform
