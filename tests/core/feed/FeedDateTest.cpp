#include "core/feed/FeedDate.h"

#include <gtest/gtest.h>

#include "TestNames.h"

#include <string>

namespace core {
namespace {

constexpr std::int64_t kNov6 = 784111777;   // Sun, 06 Nov 1994 08:49:37 GMT
constexpr std::int64_t kDec8 = 1796724000;  // 2026-12-08T10:00:00Z
constexpr std::int64_t kHour = 3600;

struct DateCase {
  const char* what;
  std::string text;
  std::optional<std::int64_t> seconds;
};

void PrintTo(const DateCase& row, std::ostream* out) {
  *out << row.what;
}

class FeedDate : public testing::TestWithParam<DateCase> {};

TEST_P(FeedDate, ReadsTheFormsFeedsWriteAndRefusesTheRest) {
  EXPECT_EQ(FeedDateSeconds(GetParam().text), GetParam().seconds) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Rfc822, FeedDate,
    testing::Values(
        DateCase{"as rss writes it", "Sun, 06 Nov 1994 08:49:37 GMT", kNov6},
        DateCase{"no weekday", "06 Nov 1994 08:49:37 GMT", kNov6},
        DateCase{"a one digit day", "Tue, 8 Dec 2026 10:00:00 GMT", kDec8},
        DateCase{"a two digit year in the 1900s", "Sun, 06 Nov 94 08:49:37 GMT", kNov6},
        DateCase{"a two digit year in the 2000s", "Tue, 08 Dec 26 10:00:00 GMT", kDec8},
        DateCase{"70 is the first two digit year of the 1900s", "01 Jan 70 00:00 GMT", 0},
        DateCase{"69 is the last of the 2000s", "01 Jan 69 00:00 GMT", 3124224000},
        DateCase{"no seconds", "Sun, 06 Nov 1994 08:49 GMT", kNov6 - 37},
        DateCase{"a full month name", "Sun, 06 November 1994 08:49:37 GMT", kNov6},
        DateCase{"an odd case month", "Sun, 06 nOV 1994 08:49:37 GMT", kNov6},
        DateCase{"a full weekday name", "Sunday, 06 Nov 1994 08:49:37 GMT", kNov6},
        DateCase{"an odd case weekday", "SUN, 06 Nov 1994 08:49:37 GMT", kNov6},
        DateCase{"ut", "Sun, 06 Nov 1994 08:49:37 UT", kNov6},
        DateCase{"utc", "Sun, 06 Nov 1994 08:49:37 UTC", kNov6},
        DateCase{"z", "Sun, 06 Nov 1994 08:49:37 Z", kNov6},
        DateCase{"an odd case zone", "Sun, 06 Nov 1994 08:49:37 gmt", kNov6},
        DateCase{"est", "Sun, 06 Nov 1994 08:49:37 EST", kNov6 + 5 * kHour},
        DateCase{"edt", "Sun, 06 Nov 1994 08:49:37 EDT", kNov6 + 4 * kHour},
        DateCase{"cst", "Sun, 06 Nov 1994 08:49:37 CST", kNov6 + 6 * kHour},
        DateCase{"cdt", "Sun, 06 Nov 1994 08:49:37 CDT", kNov6 + 5 * kHour},
        DateCase{"mst", "Sun, 06 Nov 1994 08:49:37 MST", kNov6 + 7 * kHour},
        DateCase{"mdt", "Sun, 06 Nov 1994 08:49:37 MDT", kNov6 + 6 * kHour},
        DateCase{"pst", "Sun, 06 Nov 1994 08:49:37 PST", kNov6 + 8 * kHour},
        DateCase{"pdt", "Sun, 06 Nov 1994 08:49:37 PDT", kNov6 + 7 * kHour},
        DateCase{"an offset east", "Sun, 06 Nov 1994 08:49:37 +0100", kNov6 - kHour},
        DateCase{"an offset west", "Sun, 06 Nov 1994 08:49:37 -0530", kNov6 + 11 * kHour / 2},
        DateCase{"an offset with a colon", "Sun, 06 Nov 1994 08:49:37 +05:30",
                 kNov6 - 11 * kHour / 2},
        DateCase{"no zone is utc", "Sun, 06 Nov 1994 08:49:37", kNov6},
        DateCase{"extra blanks", " \n Sun,  06\tNov   1994  08:49:37   GMT \r\n", kNov6},
        DateCase{"no comma", "Sun 06 Nov 1994 08:49:37 GMT", kNov6},
        DateCase{"a leap day", "29 Feb 2028 00:00 GMT", 1835395200},
        DateCase{"a leap second", "Sun, 06 Nov 1994 08:49:60 GMT", kNov6 + 23},
        DateCase{"an unknown weekday", "Sum, 06 Nov 1994 08:49:37 GMT", std::nullopt},
        DateCase{"an unknown month", "Sun, 06 Foo 1994 08:49:37 GMT", std::nullopt},
        DateCase{"an unknown zone", "Sun, 06 Nov 1994 08:49:37 CEST", std::nullopt},
        DateCase{"a weekday glued to its day", "Sun06 Nov 1994 08:49:37 GMT", std::nullopt},
        DateCase{"a three digit year", "Sun, 06 Nov 994 08:49:37 GMT", std::nullopt},
        DateCase{"a huge year", "Sun, 06 Nov 99999999999999999999 08:49 GMT", std::nullopt},
        DateCase{"no time", "Sun, 06 Nov 1994", std::nullopt},
        DateCase{"day 31 of a month of 30", "31 Nov 1994 08:49 GMT", std::nullopt},
        DateCase{"feb 29 outside a leap year", "29 Feb 2026 08:49 GMT", std::nullopt},
        DateCase{"hour 24", "Sun, 06 Nov 1994 24:00:00 GMT", std::nullopt},
        DateCase{"minute 60", "Sun, 06 Nov 1994 08:60:00 GMT", std::nullopt},
        DateCase{"second 61", "Sun, 06 Nov 1994 08:49:61 GMT", std::nullopt},
        DateCase{"an offset of 24 hours", "Sun, 06 Nov 1994 08:49:37 +2400", std::nullopt},
        DateCase{"text after the zone", "Sun, 06 Nov 1994 08:49:37 GMT (ours)", std::nullopt},
        DateCase{"garbage", "yesterday", std::nullopt}, DateCase{"blanks", " \t", std::nullopt}),
    testing_names::FromWhat());

INSTANTIATE_TEST_SUITE_P(
    Rfc3339, FeedDate,
    testing::Values(DateCase{"as atom writes it", "2026-12-08T10:00:00Z", kDec8},
                    DateCase{"a lower case t and z", "2026-12-08t10:00:00z", kDec8},
                    DateCase{"a blank for t", "2026-12-08 10:00:00Z", kDec8},
                    DateCase{"a fraction", "2026-12-08T10:00:00.987654Z", kDec8},
                    DateCase{"a fraction of a million digits",
                             "2026-12-08T10:00:00." + std::string(1000000, '9') + "Z", kDec8},
                    DateCase{"an offset", "2026-12-08T11:30:00+01:30", kDec8},
                    DateCase{"an offset without a colon", "2026-12-08T08:00:00-0200", kDec8},
                    DateCase{"no seconds", "2026-12-08T10:00Z", kDec8},
                    DateCase{"no zone is utc", "2026-12-08T10:00:00", kDec8},
                    DateCase{"a date alone is its midnight", "2026-12-08", kDec8 - 10 * kHour},
                    DateCase{"before 1970", "1969-12-31T23:59:59Z", -1},
                    DateCase{"month 13", "2026-13-08T10:00:00Z", std::nullopt},
                    DateCase{"feb 30", "2026-02-30", std::nullopt},
                    DateCase{"a one digit day", "2026-12-8", std::nullopt},
                    DateCase{"a five digit year", "12026-12-08", std::nullopt},
                    DateCase{"a t without a time", "2026-12-08T", std::nullopt},
                    DateCase{"a point without a fraction", "2026-12-08T10:00:00.Z", std::nullopt},
                    DateCase{"an offset of sixty minutes", "2026-12-08T10:00:00+01:60",
                             std::nullopt}),
    testing_names::FromWhat());

}  // namespace
}  // namespace core
