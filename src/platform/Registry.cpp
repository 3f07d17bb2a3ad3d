#include "platform/Registry.h"

#include "platform/SystemError.h"

namespace platform {
namespace {

core::RegistryType TypeFromSystem(DWORD type) {
  switch (type) {
    case REG_DWORD: return core::RegistryType::Dword;
    case REG_SZ:
    case REG_EXPAND_SZ: return core::RegistryType::String;
    default: return core::RegistryType::Other;
  }
}

struct ValueInfo {
  bool present = false;
  DWORD type = REG_NONE;
  DWORD size = 0;
};

ValueInfo QueryValueInfo(HKEY key, const std::string& name) {
  ValueInfo info;
  const LONG result =
      ::RegQueryValueExA(key, name.c_str(), nullptr, &info.type, nullptr, &info.size);
  if (result == ERROR_FILE_NOT_FOUND) return info;
  if (result != ERROR_SUCCESS) ThrowError(static_cast<DWORD>(result));
  info.present = true;
  return info;
}

}  // namespace

UniqueHkey OpenKeyFullAccess(HKEY root, const std::string& subKey) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, subKey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return {};
  return UniqueHkey(key);
}

UniqueHkey OpenKeyForReading(HKEY root, const std::string& subKey) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  return UniqueHkey(key);
}

UniqueHkey CreateKeyFullAccess(HKEY root, const std::string& subKey) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return {};
  }
  return UniqueHkey(key);
}

bool DeleteKeyWithoutSubkeys(HKEY root, const std::string& subKey) {
  // An empty name would be the root itself.
  if (subKey.empty()) return false;
  return ::RegDeleteKeyA(root, subKey.c_str()) == ERROR_SUCCESS;
}

core::RegistryData RegistryValueKey::Read(const std::string& name) {
  // The value may change between asking for its size and reading it; a few rounds settle that.
  for (int attempt = 0; attempt < 4; ++attempt) {
    const ValueInfo info = QueryValueInfo(key_.get(), name);
    if (!info.present) return {};
    if (info.size > core::kMaxRegistryDataSize) return {core::RegistryType::Other, 0, {}};
    std::string bytes(info.size, '\0');
    DWORD type = REG_NONE;
    DWORD size = info.size;
    const LONG result = ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (result == ERROR_MORE_DATA) continue;
    if (result == ERROR_FILE_NOT_FOUND) return {};
    if (result != ERROR_SUCCESS) ThrowError(static_cast<DWORD>(result));
    bytes.resize(size);
    return core::DecodeRegistryData(TypeFromSystem(type), bytes);
  }
  ThrowError(ERROR_MORE_DATA);
}

core::RegistryType RegistryValueKey::TypeOf(const std::string& name) {
  const ValueInfo info = QueryValueInfo(key_.get(), name);
  return info.present ? TypeFromSystem(info.type) : core::RegistryType::Absent;
}

bool RegistryValueKey::Write(const std::string& name, const core::RegistryData& data) {
  DWORD type = REG_NONE;
  switch (data.type) {
    case core::RegistryType::Dword: type = REG_DWORD; break;
    case core::RegistryType::String: type = REG_SZ; break;
    default: return false;
  }
  const std::string bytes = core::EncodeRegistryData(data);
  return ::RegSetValueExA(key_.get(), name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

}  // namespace platform
