#pragma once
// The peak of the bytes live through global new, for benchmarks that report the memory a run
// needs on top of its input.

#include <cstddef>

namespace allocation_counter {

// Starts a new peak at what is live now, and returns that.
std::size_t StartPeak();
// The highest count of live bytes since StartPeak.
std::size_t Peak();

}  // namespace allocation_counter
