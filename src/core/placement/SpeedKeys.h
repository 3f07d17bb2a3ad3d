#pragma once
// The bar's speed keys: the arrows change the marquee's delay and step.

#include <cstdint>

namespace core {

enum class SpeedKey { Faster, Slower, LargerStep, SmallerStep, Other };

struct Speed {
  std::uint32_t delayMs = 1;
  int amount = 1;
};

// The speed after one key press; the step always ends in 1..20, whatever the key.
Speed SpeedAfterKey(SpeedKey key, Speed speed);

}  // namespace core
