#include "platform/RunAtLogin.h"

#include "platform/Handles.h"

namespace platform {
namespace {

constexpr const char* kValueName = "Driftline";

}  // namespace

// Reading asks for no more than reading: a standard user may read the machine's key but not
// change it.
std::optional<std::string> ReadRunEntry(HKEY root) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(root, kRunKeyPath, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const UniqueHkey key(opened);
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (::RegQueryValueExA(key.get(), kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::string data(size, '\0');
  if (::RegQueryValueExA(key.get(), kValueName, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(std::min<size_t>(size, data.size()));
  while (!data.empty() && data.back() == '\0') data.pop_back();
  return data;
}

bool WriteRunEntry(HKEY root, const std::string& data) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExA(root, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &opened, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueHkey key(opened);
  return ::RegSetValueExA(key.get(), kValueName, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteRunEntry(HKEY root) {
  HKEY opened = nullptr;
  const LONG result = ::RegOpenKeyExA(root, kRunKeyPath, 0, KEY_SET_VALUE, &opened);
  if (result == ERROR_FILE_NOT_FOUND) return true;
  if (result != ERROR_SUCCESS) return false;
  const UniqueHkey key(opened);
  const LONG deleted = ::RegDeleteValueA(key.get(), kValueName);
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform
