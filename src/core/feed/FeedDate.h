#pragma once
// When a feed says a story was published: the dates RSS writes (RFC 822's, bent the ways feeds
// bend it) and those Atom and Dublin Core write (RFC 3339's).

#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

// Seconds since 1970-01-01 00:00 UTC of `text`, read in one pass. RFC 822: an optional weekday
// (with or without its comma), a day of one or two digits, a month, a year of four digits or
// two (70-99 the 1900s, else the 2000s), hh:mm with optional seconds, and a zone (UT, UTC, GMT,
// Z, the US zones, +hhmm or +hh:mm), UTC when missing; names whole or in three letters, in any
// case; blanks of any length. RFC 3339: yyyy-mm-dd, alone (midnight UTC) or followed by T, t or
// a blank and hh:mm with optional seconds and fraction, and Z, +hh:mm or +hhmm (UTC when
// missing). nullopt for anything else, and for a day or time the calendar and clock lack.
std::optional<std::int64_t> FeedDateSeconds(std::string_view text);

}  // namespace core
