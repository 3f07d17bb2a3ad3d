#include "platform/Timer.h"

#include "platform/Application.h"

namespace platform {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

Timer::Timer(UINT intervalMs) : interval_(intervalMs) {}

void Timer::SetInterval(UINT intervalMs) {
  if (interval_ == intervalMs) return;
  interval_ = intervalMs;
  Restart();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Restart();
}

void Timer::SetOnTimer(std::function<void()> handler) {
  onTimer_ = std::move(handler);
  Restart();
}

void Timer::Restart() {
  if (Handle()) ::KillTimer(Handle(), kTimerId);
  if (!enabled_ || interval_ == 0 || !onTimer_) return;
  // The window comes with the first start: it is not on the way to the first text, and many
  // timers never start at all.
  if (!Handle()) {
    const std::string className = ProgramName() + "Timer";
    CreateHandle({.name = className.c_str()}, "", WindowPlacement::MessageOnly());
  }
  ::SetTimer(Handle(), kTimerId, interval_, nullptr);
}

LRESULT Timer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    if (enabled_ && onTimer_) onTimer_();
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace platform
