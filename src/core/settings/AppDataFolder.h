#pragma once
// The program's folders below an application-data folder ("...\Vendor\Product\"): the vendor
// folder is made first, then the product folder, and the one that could not be made is named,
// so that the log and the settings store report the same failure the same way.

#include <optional>
#include <string>

namespace core {

class FolderMaker {
 public:
  virtual ~FolderMaker() = default;
  virtual bool FolderExists(const std::string& folder) = 0;
  // Creates one folder whose parent exists; false on failure.
  virtual bool MakeFolder(const std::string& folder) = 0;
};

// Makes `folder` and its parent as needed. Returns the folder that could not be created, or
// nullopt when `folder` exists now.
std::optional<std::string> MakeFolderAndParent(FolderMaker& maker, const std::string& folder);

// The log line for a folder that could not be created.
std::string CouldNotCreate(const std::string& folder);

}  // namespace core
