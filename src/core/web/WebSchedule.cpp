#include "core/web/WebSchedule.h"

#include <algorithm>
#include <array>

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

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
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
    const std::int64_t spread = base * rules.spreadPercent / 100;
    return random.Between(base - spread, base + spread);
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
  // IMF-fixdate, the form servers send: "Sun, 06 Nov 1994 08:49:37 GMT".
  if (date.size() != 29 || date[3] != ',' || date[4] != ' ' || date[7] != ' ' || date[11] != ' ' ||
      date[16] != ' ' || date[19] != ':' || date[22] != ':' || date.substr(25) != " GMT") {
    return std::nullopt;
  }
  static constexpr std::array<std::string_view, 12> kMonths = {
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const auto month = std::find(kMonths.begin(), kMonths.end(), date.substr(8, 3));
  const auto day = Number(date.substr(5, 2));
  const auto year = Number(date.substr(12, 4));
  const auto hour = Number(date.substr(17, 2));
  const auto minute = Number(date.substr(20, 2));
  const auto second = Number(date.substr(23, 2));
  if (month == kMonths.end() || !day || !year || !hour || !minute || !second || *day < 1 ||
      *day > 31 || *hour > 23 || *minute > 59 || *second > 60) {
    return std::nullopt;
  }
  const int monthNumber = static_cast<int>(month - kMonths.begin()) + 1;
  return DaysFromCivil(*year, monthNumber, static_cast<int>(*day)) * 86400 + *hour * 3600 +
         *minute * 60 + *second;
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
