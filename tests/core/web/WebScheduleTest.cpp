#include "core/web/WebSchedule.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace core {
namespace {

// Draws the lowest or the highest value allowed, so that a row can name the bounds exactly.
class Extreme : public RandomSource {
 public:
  explicit Extreme(bool highest) : highest_(highest) {}
  std::int64_t Between(std::int64_t low, std::int64_t high) override {
    return highest_ ? high : low;
  }

 private:
  bool highest_;
};

struct DelayCase {
  const char* what;
  LastCheck last;
  std::int64_t getFileDelayMs;
  std::int64_t lowestMs;
  std::int64_t highestMs;
};

class CheckDelay : public testing::TestWithParam<DelayCase> {};

TEST_P(CheckDelay, LiesBetweenTheRowsBounds) {
  const DelayCase& row = GetParam();
  Extreme lowest(false);
  Extreme highest(true);
  EXPECT_EQ(NextCheckDelayMs(row.last, row.getFileDelayMs, lowest), row.lowestMs) << row.what;
  EXPECT_EQ(NextCheckDelayMs(row.last, row.getFileDelayMs, highest), row.highestMs) << row.what;
}

constexpr std::int64_t kFiveMinutes = 300000;

INSTANTIATE_TEST_SUITE_P(
    Table, CheckDelay,
    testing::Values(DelayCase{"success: a tenth later at most", {0}, 10000, 10000, 11000},
                    DelayCase{"one failure: up to twice", {1}, 10000, 10000, 20000},
                    DelayCase{"two failures: up to four times", {2}, 10000, 10000, 40000},
                    DelayCase{"five failures: up to 32 times", {5}, 1000, 1000, 32000},
                    DelayCase{"the ceiling is five minutes", {5}, 10000, 10000, kFiveMinutes},
                    DelayCase{"many failures stay at it", {400}, 10000, 10000, kFiveMinutes},
                    DelayCase{"a delay over the ceiling stays", {3}, 600000, 600000, 600000},
                    DelayCase{"Retry-After outlasts the backoff", {1, 2000}, 300, 2000, 2000},
                    DelayCase{"the backoff outlasts Retry-After", {1, 2000}, 10000, 10000, 20000},
                    DelayCase{
                        "Retry-After is capped at an hour", {1, 86400000}, 10000, 3600000, 3600000},
                    DelayCase{"no automatic check", {3, 5000}, 0, 0, 0}));

TEST(CheckDelay, ASuccessStartsTheBackoffAgain) {
  LastCheck last;
  last = After(last, true, std::nullopt);
  last = After(last, true, 5000);
  EXPECT_EQ(last.failuresInARow, 2);
  EXPECT_EQ(last.retryAfterMs, 5000);
  last = After(last, true, std::nullopt);
  EXPECT_EQ(last.retryAfterMs, std::nullopt) << "Retry-After counts for one wait";
  last = After(last, false, std::nullopt);
  Extreme highest(true);
  EXPECT_EQ(NextCheckDelayMs(last, 10000, highest), 11000);
}

TEST(CheckDelay, ACorrectedAddressStartsAfresh) {
  const LastCheck typo = After(After({}, true, 5000, "http://typo"), true, 5000, "http://typo");
  EXPECT_EQ(After(typo, true, std::nullopt, "http://fixed").failuresInARow, 1);
}

TEST(CheckDelay, JitterSpreadsOverTheWholeRange) {
  SeededRandom random(21);
  for (const LastCheck& last : {LastCheck{0}, LastCheck{3}}) {
    const std::int64_t low = 10000;
    const std::int64_t high = last.failuresInARow ? 80000 : 11000;
    std::int64_t least = high;
    std::int64_t most = low;
    for (int i = 0; i < 2000; ++i) {
      const std::int64_t delay = NextCheckDelayMs(last, 10000, random);
      ASSERT_GE(delay, low);
      ASSERT_LE(delay, high);
      least = std::min(least, delay);
      most = std::max(most, delay);
    }
    // Full jitter: draws reach both ends of the range, not a narrow band in it.
    EXPECT_LT(least, low + (high - low) / 20);
    EXPECT_GT(most, high - (high - low) / 20);
  }
}

struct DateCase {
  const char* date;
  std::optional<std::int64_t> seconds;
};

class HttpDate : public testing::TestWithParam<DateCase> {};

TEST_P(HttpDate, ReadsTheFormServersSend) {
  EXPECT_EQ(HttpDateSeconds(GetParam().date), GetParam().seconds) << GetParam().date;
}

INSTANTIATE_TEST_SUITE_P(Table, HttpDate,
                         testing::Values(DateCase{"Thu, 01 Jan 1970 00:00:00 GMT", 0},
                                         DateCase{"Sun, 06 Nov 1994 08:49:37 GMT", 784111777},
                                         DateCase{"Tue, 29 Feb 2028 23:59:59 GMT", 1835481599},
                                         DateCase{"Sun, 06 Nov 1994 08:49:37 UTC", std::nullopt},
                                         DateCase{"Sun, 06 Foo 1994 08:49:37 GMT", std::nullopt},
                                         DateCase{"Sun, 06 Nov 1994 25:49:37 GMT", std::nullopt},
                                         DateCase{"Sunday, 06-Nov-94 08:49:37 GMT", std::nullopt},
                                         DateCase{"", std::nullopt}));

struct RetryAfterCase {
  const char* headers;
  std::optional<std::int64_t> ms;
};

class RetryAfter : public testing::TestWithParam<RetryAfterCase> {};

constexpr std::int64_t kNow = 784111777;  // Sun, 06 Nov 1994 08:49:37 GMT

TEST_P(RetryAfter, IsSecondsOrADateFromTheServersClock) {
  EXPECT_EQ(RetryAfterMs(GetParam().headers, kNow), GetParam().ms) << GetParam().headers;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RetryAfter,
    testing::Values(
        RetryAfterCase{"HTTP/1.1 503 Busy\r\nRetry-After: 2\r\n", 2000},
        RetryAfterCase{"HTTP/1.1 429 Slow\r\nretry-after:  120 \r\n", 120000},
        RetryAfterCase{"HTTP/1.1 503 Busy\r\nRetry-After: Sun, 06 Nov 1994 08:50:07 GMT\r\n",
                       30000},
        RetryAfterCase{"HTTP/1.1 503 Busy\r\nDate: Sun, 06 Nov 1994 08:40:00 GMT\r\n"
                       "Retry-After: Sun, 06 Nov 1994 08:41:00 GMT\r\n",
                       60000},
        RetryAfterCase{"HTTP/1.1 503 Busy\r\nRetry-After: Sun, 06 Nov 1994 08:00:00 GMT\r\n", 0},
        RetryAfterCase{"HTTP/1.1 503 Busy\r\nRetry-After: -5\r\n", std::nullopt},
        RetryAfterCase{"HTTP/1.1 503 Busy\r\nRetry-After: soon\r\n", std::nullopt},
        RetryAfterCase{"HTTP/1.1 503 Busy\r\n", std::nullopt}));

}  // namespace
}  // namespace core
