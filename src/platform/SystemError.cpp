#include "platform/SystemError.h"

namespace platform {

namespace {

std::string FormattedMessage(DWORD source, HMODULE module, DWORD code) {
  char* buffer = nullptr;
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | source,
                       module, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text;
  if (length != 0 && buffer) text.assign(buffer, length);
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

}  // namespace

std::string SystemMessage(DWORD code) {
  std::string text = FormattedMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code);
  if (text.empty()) text = "System Error.  Code: " + std::to_string(code) + ".";
  return text;
}

std::string ModuleMessage(HMODULE module, DWORD code) {
  return FormattedMessage(FORMAT_MESSAGE_FROM_HMODULE, module, code);
}

void ThrowError(DWORD code) {
  throw SystemError(code, SystemMessage(code));
}

void ThrowLastError() {
  ThrowError(::GetLastError());
}

}  // namespace platform
