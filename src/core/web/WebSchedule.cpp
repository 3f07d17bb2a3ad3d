#include "core/web/WebSchedule.h"

#include <algorithm>

#include "core/feed/FeedDate.h"
#include "core/web/WebSource.h"

namespace core {
namespace {

std::optional<std::int64_t> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > 12) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Whether `c` fits `pattern`'s character: 'd' a digit, 'A' and 'a' a letter of that case, any
// other character itself.
bool Fits(char c, char pattern) {
  switch (pattern) {
    case 'd': return c >= '0' && c <= '9';
    case 'A': return c >= 'A' && c <= 'Z';
    case 'a': return c >= 'a' && c <= 'z';
    default: return c == pattern;
  }
}

}  // namespace

LastCheck After(const LastCheck& last, bool failed, std::optional<std::int64_t> retryAfterMs,
                std::string_view address) {
  if (!failed) return {};
  const int before = last.address == address ? last.failuresInARow : 0;
  return {before + 1, retryAfterMs, std::string(address)};
}

std::int64_t NextCheckDelayMs(const LastCheck& last, std::int64_t getFileDelayMs,
                              RandomSource& random, const ScheduleRules& rules) {
  const std::int64_t base = getFileDelayMs;
  if (base <= 0) return 0;
  if (last.failuresInARow == 0) {
    // Later only: the interval is the least a server waits.
    return random.Between(base, base + base * rules.spreadPercent / 100);
  }
  // Doubles with each failure in a row, from GetFileDelay up to the ceiling.
  std::int64_t ceiling = base;
  for (int i = 0; i < last.failuresInARow && ceiling < rules.maxBackoffMs; ++i) ceiling *= 2;
  ceiling = std::max(base, std::min(ceiling, rules.maxBackoffMs));
  const std::int64_t backoff = random.Between(base, ceiling);
  if (!last.retryAfterMs) return backoff;
  return std::max(backoff, std::min(*last.retryAfterMs, rules.maxRetryAfterMs));
}

std::string SecondsText(std::int64_t ms) {
  const std::int64_t tenths = (ms + 50) / 100;
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
  return text;
}

std::optional<std::int64_t> HttpDateSeconds(std::string_view date) {
  // IMF-fixdate, the form servers send, is case-sensitive and fixed in width where a feed's dates
  // are not: its shape is checked here and its fields and calendar by the feed's reader.
  static constexpr std::string_view kShape = "Aaa, dd Aaa dddd dd:dd:dd GMT";
  if (!std::equal(date.begin(), date.end(), kShape.begin(), kShape.end(), Fits)) {
    return std::nullopt;
  }
  return FeedDateSeconds(date);
}

std::optional<std::int64_t> RetryAfterMs(std::string_view rawHeaders, std::int64_t nowSeconds) {
  const auto value = HeaderValue(rawHeaders, "Retry-After");
  if (!value) return std::nullopt;
  if (const auto seconds = Number(*value)) return *seconds * 1000;
  const auto until = HttpDateSeconds(*value);
  if (!until) return std::nullopt;
  const auto serverNow = HeaderValue(rawHeaders, "Date");
  const std::int64_t now =
      serverNow ? HttpDateSeconds(*serverNow).value_or(nowSeconds) : nowSeconds;
  return std::max<std::int64_t>(0, *until - now) * 1000;
}

}  // namespace core
