#pragma once
// How often a feed says it changes: RSS 2.0's ttl or the syndication module's update period.

#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

inline constexpr std::string_view kSyndicationNamespace =
    "http://purl.org/rss/1.0/modules/syndication/";

// The channel's values as written; a value missing or unreadable is as if absent.
struct FeedRefreshFields {
  std::optional<std::string_view> ttl;  // minutes
  std::optional<std::string_view> updatePeriod;
  std::optional<std::string_view> updateFrequency;
};

// Seconds between changes, the longer of the two ways a feed has of saying it, at most a year;
// nullopt when it says neither.
std::optional<std::int64_t> RefreshHintSeconds(const FeedRefreshFields& fields);

}  // namespace core
