#include <gtest/gtest.h>

#include <functional>

#include "TestNames.h"
#include "core/feed/FeedReader.h"
#include "core/sources/SourceSchedule.h"

namespace core {
namespace {

struct RefreshCase {
  const char* what;
  std::function<std::optional<std::int64_t>()> run;
  std::optional<std::int64_t> expected;
};
class ListRefresh : public testing::TestWithParam<RefreshCase> {};
TEST_P(ListRefresh, FollowsTheFeedWithinBounds) {
  EXPECT_EQ(GetParam().run(), GetParam().expected);
}

// An RSS channel's hint, the syndication module named under a prefix of the feed's own.
std::optional<std::int64_t> Hint(const std::string& elements) {
  const std::string rss = "<rss xmlns:s=\"http://purl.org/rss/1.0/modules/syndication/\"><channel>";
  return ReadFeed(rss + elements + "</channel></rss>", std::nullopt, "").refreshHintSeconds;
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(FeedHint, ListRefresh, testing::ValuesIn(std::vector<RefreshCase>{
    {"Ttl in minutes", [] { return Hint("<ttl>60</ttl>"); }, 3600},
    {"Hourly twice", [] { return Hint("<s:updatePeriod>hourly</s:updatePeriod><s:updateFrequency>2</s:updateFrequency>"); }, 1800},
    {"A period alone once", [] { return Hint("<s:updatePeriod>daily</s:updatePeriod>"); }, 86400},
    {"A ttl not a whole number is ignored", [] { return Hint("<ttl>1.5</ttl>"); }, std::nullopt},
    {"Both take the longer", [] { return Hint("<ttl>120</ttl><s:updatePeriod>hourly</s:updatePeriod>"); }, 7200},
    {"Atom has none", [] { return ReadFeed("<feed xmlns=\"http://www.w3.org/2005/Atom\"/>", std::nullopt, "").refreshHintSeconds; }, std::nullopt},
}), testing_names::FromWhat());
INSTANTIATE_TEST_SUITE_P(Wait, ListRefresh, testing::ValuesIn(std::vector<RefreshCase>{
    {"Automatic reload keeps GetFileDelay", [] { return ListRefreshMs(true, 7000, std::nullopt); }, 7000},
    {"Without a hint every quarter hour", [] { return ListRefreshMs(false, 7000, std::nullopt); }, kListRefreshMs},
    {"A shorter hint waits a quarter hour", [] { return ListRefreshMs(false, 7000, 60000); }, kListRefreshMs},
    {"A longer hint is followed", [] { return ListRefreshMs(false, 7000, 3600000); }, 3600000},
    {"A hint over a day waits a day", [] { return ListRefreshMs(false, 7000, 2 * kLongestRefreshMs); }, kLongestRefreshMs},
}), testing_names::FromWhat());
// clang-format on

}  // namespace
}  // namespace core
