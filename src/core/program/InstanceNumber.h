#pragma once
// Each running copy takes the lowest number whose named mutex nobody else holds.

#include <string>

namespace core {

class NamedMutexes {
 public:
  enum class Outcome { Created, AlreadyExists, Failed };
  virtual ~NamedMutexes() = default;
  // Creates (and owns) the mutex; on AlreadyExists the implementation has already let the
  // returned handle go.
  virtual Outcome Create(const std::string& name) = 0;
};

struct InstanceClaim {
  int number = 1;
  bool ownsMutex = false;  // false when the system could not create one
};

InstanceClaim ClaimInstanceNumber(NamedMutexes& mutexes, const std::string& prefix);

}  // namespace core
