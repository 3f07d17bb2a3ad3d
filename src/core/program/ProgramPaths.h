#pragma once
// Names derived from the program file's path (Windows paths, backslash or slash separated).

#include <string>
#include <string_view>

namespace core {

// "C:\Tools\dftline.exe" -> "C:\Tools\" (empty when the path has no folder).
std::string FolderOf(std::string_view path);
// "C:\Tools\dftline.exe" -> "dftline.exe".
std::string FileNameOf(std::string_view path);
// "C:\Tools\dftline.exe" -> "dftline"; a dot in a folder name is not an extension.
std::string BaseNameOf(std::string_view path);
// "C:\Tools\dftline.exe", ".log" -> "dftline.log".
std::string ChangeExtension(std::string_view fileName, std::string_view extension);

// The settings names of one running copy.
std::string RegistryKeyName(std::string_view keyPrefix, int instanceNumber);
std::string IniFileName(std::string_view programPath, int instanceNumber);
// The list of sources that a running copy's Sources dialog writes: "sources.opml" for the first,
// as it always was, "sources2.opml" for the second.
std::string SourceListFileName(int instanceNumber);

// The folder one level up: "C:\a\b\c\" -> "C:\a\b\"; "C:\a\b\c" -> "C:\a\b\".
std::string ParentFolderOf(std::string_view folder);

}  // namespace core
