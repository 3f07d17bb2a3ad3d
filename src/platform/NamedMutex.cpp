#include "platform/NamedMutex.h"

namespace platform {

core::NamedMutexes::Outcome SystemMutexes::Create(const std::string& name) {
  UniqueHandle mutex(::CreateMutexA(nullptr, TRUE, name.c_str()));
  if (!mutex) return Outcome::Failed;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::ReleaseMutex(mutex.get());
    return Outcome::AlreadyExists;
  }
  created_ = std::move(mutex);
  return Outcome::Created;
}

}  // namespace platform
