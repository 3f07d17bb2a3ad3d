#include "core/program/InstanceNumber.h"

namespace core {

InstanceClaim ClaimInstanceNumber(NamedMutexes& mutexes, const std::string& prefix) {
  for (int n = 1;; ++n) {
    switch (mutexes.Create(prefix + std::to_string(n))) {
      case NamedMutexes::Outcome::Created: return {n, true};
      case NamedMutexes::Outcome::Failed: return {n, false};
      case NamedMutexes::Outcome::AlreadyExists: break;
    }
  }
}

}  // namespace core
