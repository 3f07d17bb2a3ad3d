#pragma once
// Which of a list's entries the bar checks: an address no browser would take is dropped, a list
// from the web reaches nothing but the web, and one source listed twice is checked once.

#include <cstddef>
#include <string>
#include <vector>

#include "core/sources/Opml.h"

namespace core {

// The longest address a browser takes; anything longer is no source.
inline constexpr std::size_t kMaxSourceAddress = 2083;

struct ListedSources {
  std::vector<SourceEntry> sources;  // those kept, in list order
  std::vector<std::string> log;      // one complete log line per entry dropped or folded
};

// The sources of a list's entries, in time linear in their size. `fromWeb`: the list document
// itself came from a web address, so that its author is a stranger and only web addresses are
// followed; a local list may name paths and files. Entries whose SourceAddressKey is the same
// are one source, under the first entry's name and address. The log never shows an address
// whole: a password is masked, and an address too long is given by its size.
ListedSources SourcesOfList(std::vector<SourceEntry> entries, bool fromWeb);

}  // namespace core
