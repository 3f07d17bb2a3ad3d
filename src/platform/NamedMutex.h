#pragma once
// The system's named mutexes, as the instance numbering needs them.

#include <string>

#include "core/program/InstanceNumber.h"
#include "platform/Handles.h"

namespace platform {

class SystemMutexes : public core::NamedMutexes {
 public:
  Outcome Create(const std::string& name) override;
  // The mutex of the last successful creation.
  UniqueHandle TakeCreated() { return std::move(created_); }

 private:
  UniqueHandle created_;
};

}  // namespace platform
