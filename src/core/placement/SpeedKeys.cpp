#include "core/placement/SpeedKeys.h"

#include <algorithm>
#include <limits>

#include "core/settings/TickerSettings.h"

namespace core {

namespace {
constexpr int kMinAmount = kAmountRange.low;
constexpr int kMaxAmount = kAmountRange.high;
constexpr std::uint32_t kMaxDelay = std::numeric_limits<std::int32_t>::max();
}  // namespace

Speed SpeedAfterKey(SpeedKey key, Speed speed) {
  switch (key) {
    case SpeedKey::Faster: speed.delayMs = speed.delayMs / 2 + 1; break;
    case SpeedKey::Slower:
      // Doubling a long delay would soon overflow the timer; past 250 ms it grows evenly.
      speed.delayMs = speed.delayMs > 250 ? speed.delayMs + 250 : speed.delayMs * 2 + 1;
      speed.delayMs = std::min(speed.delayMs, kMaxDelay);
      break;
    case SpeedKey::LargerStep:
      if (speed.amount < kMaxAmount) ++speed.amount;
      break;
    case SpeedKey::SmallerStep:
      if (speed.amount > kMinAmount) --speed.amount;
      break;
    case SpeedKey::Other: break;
  }
  speed.amount = std::clamp(speed.amount, kMinAmount, kMaxAmount);
  return speed;
}

}  // namespace core
