#pragma once
// When the web source checks next. A failed check backs off exponentially with full jitter,
// from GetFileDelay up to a ceiling, and honours the server's Retry-After; a successful one
// keeps GetFileDelay, spread by up to a tenth later, so that bars started together do not poll
// in lockstep. The timer only carries the delay out.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace core {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A whole number in [low, high], evenly drawn.
  virtual std::int64_t Between(std::int64_t low, std::int64_t high) = 0;
};

class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  std::int64_t Between(std::int64_t low, std::int64_t high) override {
    return std::uniform_int_distribution<std::int64_t>(low, high)(engine_);
  }

 private:
  std::mt19937_64 engine_;
};

struct ScheduleRules {
  std::int64_t maxBackoffMs = std::int64_t{5} * 60 * 1000;
  std::int64_t maxRetryAfterMs = std::int64_t{60} * 60 * 1000;
  int spreadPercent = 10;
};

// What the schedule needs to know of the checks so far.
struct LastCheck {
  int failuresInARow = 0;
  std::optional<std::int64_t> retryAfterMs;  // asked for by the last failed answer
  std::string address;                       // that the failures were of
};

// The last check's outcome added: a failure counts one more, a success starts again. A check of
// another address (a corrected one) starts again too: its failure is the first.
LastCheck After(const LastCheck& last, bool failed, std::optional<std::int64_t> retryAfterMs,
                std::string_view address = {});

// The wait before the next check. 0 (no automatic check) when GetFileDelay is 0.
std::int64_t NextCheckDelayMs(const LastCheck& last, std::int64_t getFileDelayMs,
                              RandomSource& random, const ScheduleRules& rules = {});

// Milliseconds as the log shows seconds: "2", "0.6", "37.4" (rounded to a tenth).
std::string SecondsText(std::int64_t ms);

// Seconds since 1970 of an HTTP date ("Sun, 06 Nov 1994 08:49:37 GMT"); nullopt if it is not one.
std::optional<std::int64_t> HttpDateSeconds(std::string_view date);

// A Retry-After value in milliseconds: whole seconds, or an HTTP date counted from the answer's
// own Date header (the server's clock) or else from `nowSeconds`. Never below 0; nullopt when
// there is no usable value.
std::optional<std::int64_t> RetryAfterMs(std::string_view rawHeaders, std::int64_t nowSeconds);

}  // namespace core
