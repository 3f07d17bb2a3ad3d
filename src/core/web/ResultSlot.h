#pragma once
// Hands one owned result from a worker thread to the user-interface thread. The lock only
// swaps a pointer, so neither side ever waits for the other's work.

#include <memory>
#include <mutex>
#include <utility>

namespace core {

template <typename Result>
class ResultSlot {
 public:
  // Worker: leaves the result for the taker; a result not taken yet is replaced.
  void Put(std::unique_ptr<Result> result) {
    std::unique_ptr<Result> replaced;
    {
      std::lock_guard lock(mutex_);
      replaced = std::exchange(result_, std::move(result));
    }
  }
  // User-interface thread: the result, or null when there is none.
  std::unique_ptr<Result> Take() {
    std::lock_guard lock(mutex_);
    return std::move(result_);
  }

 private:
  std::mutex mutex_;
  std::unique_ptr<Result> result_;
};

}  // namespace core
