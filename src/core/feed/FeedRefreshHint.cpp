#include "core/feed/FeedRefreshHint.h"

#include <algorithm>
#include <array>
#include <utility>

namespace core {
namespace {

constexpr std::int64_t kDay = std::int64_t{24} * 60 * 60;
constexpr std::int64_t kYear = 365 * kDay;

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A whole positive number, saturated at `most` so that a feed's absurd value cannot overflow.
std::optional<std::int64_t> WholePositive(std::optional<std::string_view> text, std::int64_t most) {
  if (!text || Trimmed(*text).empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : Trimmed(*text)) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min(value * 10 + (c - '0'), most);
  }
  return value > 0 ? std::optional<std::int64_t>(value) : std::nullopt;
}

std::optional<std::int64_t> PeriodSeconds(std::optional<std::string_view> period) {
  constexpr std::array<std::pair<std::string_view, std::int64_t>, 5> kPeriods{
      {{"hourly", 60 * 60},
       {"daily", kDay},
       {"weekly", 7 * kDay},
       {"monthly", 30 * kDay},
       {"yearly", kYear}}};
  if (!period) return std::nullopt;
  for (const auto& [name, seconds] : kPeriods) {
    if (Trimmed(*period) == name) return seconds;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> RefreshHintSeconds(const FeedRefreshFields& fields) {
  std::optional<std::int64_t> hint;
  if (const auto minutes = WholePositive(fields.ttl, kYear / 60)) hint = *minutes * 60;
  const std::optional<std::int64_t> period = PeriodSeconds(fields.updatePeriod);
  const std::optional<std::int64_t> frequency = WholePositive(fields.updateFrequency, kYear);
  if (period || frequency) {
    // Asked more than once a second is asked once a second.
    const std::int64_t seconds =
        std::max<std::int64_t>(period.value_or(kDay) / frequency.value_or(1), 1);
    hint = std::max(hint.value_or(0), seconds);
  }
  return hint;
}

}  // namespace core
