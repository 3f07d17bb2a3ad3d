#pragma once
// Registry keys opened with full access (or, for policies, for reading), and the named values of
// one key in the store's terms.

#include <windows.h>

#include <string>
#include <utility>

#include "core/settings/RegistryValues.h"
#include "platform/Handles.h"

namespace platform {

// The key with KEY_ALL_ACCESS, or an empty handle when it is absent or that access is refused.
UniqueHkey OpenKeyFullAccess(HKEY root, const std::string& subKey);
// The key for reading only, as users may open the policy keys; empty when it is absent.
UniqueHkey OpenKeyForReading(HKEY root, const std::string& subKey);
// The key with KEY_ALL_ACCESS, creating it when it is missing.
UniqueHkey CreateKeyFullAccess(HKEY root, const std::string& subKey);
// Deletes a key that has no subkeys; a key with subkeys is left alone (false), so a key name
// that names a whole branch by mistake never takes the branch with it.
bool DeleteKeyWithoutSubkeys(HKEY root, const std::string& subKey);

// The named values of an open key. Reads are bounded by core::kMaxRegistryDataSize: larger data
// reads as a type the store does not take, without being fetched.
class RegistryValueKey : public core::RegistryKey {
 public:
  explicit RegistryValueKey(UniqueHkey key) : key_(std::move(key)) {}

  core::RegistryData Read(const std::string& name) override;
  core::RegistryType TypeOf(const std::string& name) override;
  bool Write(const std::string& name, const core::RegistryData& data) override;

 private:
  UniqueHkey key_;
};

}  // namespace platform
