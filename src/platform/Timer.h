#pragma once
// A window timer with an interval in milliseconds, an enabled flag and a handler.
// An interval of 0 never fires; enabling (or changing the interval) restarts the count. Its
// window is made at its first start, on the thread that starts it.

#include <functional>

#include "platform/Window.h"

namespace platform {

class Timer : private Window {
 public:
  explicit Timer(UINT intervalMs = 1000);

  void SetInterval(UINT intervalMs);
  UINT Interval() const { return interval_; }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void SetOnTimer(std::function<void()> handler);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Restart();

  UINT interval_;
  bool enabled_ = false;
  std::function<void()> onTimer_;
};

}  // namespace platform
