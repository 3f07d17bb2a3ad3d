#include "core/settings/AppDataFolder.h"

#include "core/program/ProgramPaths.h"

namespace core {

std::optional<std::string> MakeFolderAndParent(FolderMaker& maker, const std::string& folder) {
  if (maker.FolderExists(folder)) return std::nullopt;
  const std::string parent = ParentFolderOf(folder);
  if (!parent.empty() && !maker.FolderExists(parent) && !maker.MakeFolder(parent)) return parent;
  if (!maker.MakeFolder(folder)) return folder;
  return std::nullopt;
}

std::string CouldNotCreate(const std::string& folder) {
  return "Could not create " + folder;
}

}  // namespace core
