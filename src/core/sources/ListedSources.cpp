#include "core/sources/ListedSources.h"

#include <unordered_map>
#include <utility>

#include "core/sources/SourceAddress.h"
#include "core/web/WebAddress.h"
#include "core/web/WebAddressParts.h"

namespace core {
namespace {

// A source kept, by its key: where it is, and whether a repeat of it has been logged.
struct Kept {
  std::size_t index = 0;
  bool repeatLogged = false;
};

// The reason to drop an entry, as a complete log line; empty when it stays.
std::string DropReason(const SourceEntry& entry, bool fromWeb) {
  if (entry.address.size() > kMaxSourceAddress) {
    return "Sources: dropped an address of " + std::to_string(entry.address.size()) +
           " bytes: too long";
  }
  // A list on the web is written by whoever serves it: it may not make the bar open the user's
  // files, shares or other schemes.
  if (fromWeb && !IsWebAddress(entry.address)) {
    return "Sources: dropped " + AddressForLog(entry.address) +
           " from a list on the web: only web addresses are followed";
  }
  return {};
}

}  // namespace

ListedSources SourcesOfList(std::vector<SourceEntry> entries, bool fromWeb) {
  ListedSources listed;
  std::unordered_map<std::string, Kept> kept;
  kept.reserve(entries.size());
  for (SourceEntry& entry : entries) {
    std::string dropped = DropReason(entry, fromWeb);
    if (!dropped.empty()) {
      listed.log.push_back(std::move(dropped));
      continue;
    }
    const auto [found, added] =
        kept.try_emplace(SourceAddressKey(entry.address), Kept{listed.sources.size()});
    if (added) {
      listed.sources.push_back(std::move(entry));
      continue;
    }
    if (found->second.repeatLogged) continue;
    found->second.repeatLogged = true;
    const SourceEntry& first = listed.sources[found->second.index];
    listed.log.push_back("Sources: " + AddressForLog(first.address) +
                         " is listed more than once; checked once as " + first.name);
  }
  return listed;
}

}  // namespace core
