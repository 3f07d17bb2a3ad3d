#pragma once
// The way from worker threads into a log that the user-interface thread owns. Every worker
// shares the one gate; closing it, before the log goes, stops them all, including workers that
// have reported and been forgotten but are still ending.

#include <functional>
#include <mutex>
#include <string>
#include <utility>

namespace core {

class LogGate {
 public:
  using Sink = std::function<void(const std::string& message)>;

  explicit LogGate(Sink sink) : sink_(std::move(sink)) {}

  // Any thread: a line while the gate is open, nothing after. A line that cannot be written
  // (memory or disk gone) is lost; it must never end the thread that wrote it.
  void Log(const std::string& message) noexcept {
    std::lock_guard lock(mutex_);
    try {
      if (sink_) sink_(message);
    } catch (...) {
    }
  }
  // Returns once no line is being written: the log may be freed then.
  void Close() {
    std::lock_guard lock(mutex_);
    sink_ = nullptr;
  }

 private:
  std::mutex mutex_;
  Sink sink_;
};

}  // namespace core
