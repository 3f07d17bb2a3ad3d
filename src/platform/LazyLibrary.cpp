#include "platform/LazyLibrary.h"

#include <string>

#include "platform/SystemError.h"

namespace platform {

LazyLibrary::LazyLibrary(const char* name)
    : name_(name), module_(::LoadLibraryA(name)), loadError_(module_ ? 0 : ::GetLastError()) {}

FARPROC LazyLibrary::Find(const char* function) const {
  if (module_) {
    if (FARPROC address = ::GetProcAddress(module_, function)) return address;
  }
  const DWORD error = module_ ? ::GetLastError() : loadError_;
  throw SystemError(error, std::string(function) + " could not be loaded from " + name_ + ": " +
                               SystemMessage(error));
}

}  // namespace platform
