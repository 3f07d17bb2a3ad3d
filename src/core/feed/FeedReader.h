#pragma once
// Feed subsystem: RSS and Atom documents turned into headlines with their links, and which
// headline a point of the shown text belongs to.
//
// RSS (0.91 to 2.0, 1.0) and Atom 1.0 documents turned into headlines with their stories'
// addresses, dates and ids. Anything whose root is not a feed's is left to the text pipeline
// untouched.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/TextEncoding.h"

namespace core {

struct FeedItem {
  std::string text;  // UTF-8, one line: entities decoded, markup stripped, blanks collapsed
  std::string link;  // an absolute http or https address, or empty
  std::optional<std::int64_t> date;  // published (else updated), in seconds since 1970 UTC
  std::string id;                    // the feed's own name for the story, or empty
  bool operator==(const FeedItem&) const = default;
};

enum class FeedOutcome { NotFeed, Feed, Broken };

struct FeedReading {
  FeedOutcome outcome = FeedOutcome::NotFeed;
  std::vector<FeedItem> items;  // Feed: in document order; may be empty
  std::string error;            // Broken: what is wrong
  std::size_t errorOffset = 0;  // Broken: where, in bytes from the start
  std::size_t repairs = 0;      // Feed: faults mended before it could be read
  // Feed: how often the channel says it changes, in seconds (RSS 2.0's ttl or the syndication
  // module's update period, the longer), at most a year.
  std::optional<std::int64_t> refreshHintSeconds;
};

// A feed whose parse would take more records (elements, attributes and texts) is refused as
// broken: its tree would take many times its size in memory.
constexpr std::size_t kMostFeedNodes = 200000;

// Bytes in a code page turned into UTF-8 by the system, for the code pages core has no table
// for; nullopt when the system cannot.
using CodePageToUtf8 = std::function<std::optional<std::string>(std::string_view, unsigned)>;

// Reads a feed out of `bytes`. The encoding is a byte-order mark's, else the XML declaration's,
// else `charset` (a web server's), else UTF-8; a code page other than ISO-8859-1 and
// windows-1252 needs `toUtf8`. Relative links are resolved against xml:base and then `address`,
// the feed's own. A bare "&" and HTML's named references, which XML lacks, are mended once and
// counted; any other fault makes the feed broken. A DTD's entities are never expanded and nothing
// outside is ever fetched; nesting of any depth is walked without recursion.
FeedReading ReadFeed(std::string_view bytes, const std::optional<TextEncoding>& charset,
                     std::string_view address, const CodePageToUtf8& toUtf8 = {});

// At most `limit` characters of UTF-8 `text`, cut after the last whole word that fits (or in
// the word, when the first one is longer).
std::string CutAtWord(std::string_view text, std::size_t limit);

// The shown text of a feed's lines: each item's text followed by `separator` (line breaks in it
// dropped, so that one item stays one line) and a line break.
std::u16string FeedLineText(const std::vector<FeedItem>& items, std::u16string_view separator);
// `separator` as it ends each of those lines.
std::u16string OneLineSeparator(std::u16string_view separator);

}  // namespace core
