#pragma once
// System failures as exceptions that carry the system's own message.

#include <windows.h>

#include <stdexcept>
#include <string>

namespace platform {

class SystemError : public std::runtime_error {
 public:
  SystemError(DWORD code, const std::string& message) : std::runtime_error(message), code_(code) {}
  DWORD code() const { return code_; }

 private:
  DWORD code_;
};

// The system's text for an error code, without the trailing line break.
std::string SystemMessage(DWORD code);
// The text of a code from a module's own message table (WinInet's, say), the same way; empty
// when the module has none.
std::string ModuleMessage(HMODULE module, DWORD code);

[[noreturn]] void ThrowLastError();
[[noreturn]] void ThrowError(DWORD code);

inline void ThrowLastErrorIf(bool failed) {
  if (failed) ThrowLastError();
}

template <typename T>
T CheckHandle(T handle) {
  if (!handle) ThrowLastError();
  return handle;
}

}  // namespace platform
