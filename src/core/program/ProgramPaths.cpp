#include "core/program/ProgramPaths.h"

namespace core {
namespace {

size_t AfterLastSeparator(std::string_view path) {
  const size_t slash = path.find_last_of("\\/:");
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string FolderOf(std::string_view path) {
  return std::string(path.substr(0, AfterLastSeparator(path)));
}

std::string FileNameOf(std::string_view path) {
  return std::string(path.substr(AfterLastSeparator(path)));
}

std::string BaseNameOf(std::string_view path) {
  std::string name = FileNameOf(path);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

std::string ChangeExtension(std::string_view fileName, std::string_view extension) {
  return BaseNameOf(FileNameOf(fileName)) + std::string(extension);
}

std::string RegistryKeyName(std::string_view keyPrefix, int instanceNumber) {
  return std::string(keyPrefix) + std::to_string(instanceNumber);
}

std::string IniFileName(std::string_view programPath, int instanceNumber) {
  return BaseNameOf(programPath) + std::to_string(instanceNumber) + ".ini";
}

std::string SourceListFileName(int instanceNumber) {
  return "sources" + (instanceNumber > 1 ? std::to_string(instanceNumber) : std::string()) +
         ".opml";
}

std::string ParentFolderOf(std::string_view folder) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
    folder.remove_suffix(1);
  return FolderOf(folder);
}

}  // namespace core
