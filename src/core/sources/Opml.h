#pragma once
// Sources subsystem: a list of sources kept as OPML, the state of each source between its
// checks, and the lines of all of them merged into the bar's one text.
//
// An OPML 1.0 or 2.0 document as a list of sources, and a list written back as OPML. Anything
// whose root is not `opml` is left to the feed reader and the text pipeline untouched.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// One source of the bar: its name, shown before its lines, and where its text comes from (a web
// address, a file: address or a path).
struct SourceEntry {
  std::string name;
  std::string address;
  bool operator==(const SourceEntry&) const = default;
};

inline constexpr std::size_t kMaxSources = 100;
// A list file larger than this is refused unread: a hundred sources never need as much.
inline constexpr std::size_t kLargestList = std::size_t{16} << 20;

enum class OpmlOutcome { NotOpml, List, Broken };

struct OpmlReading {
  OpmlOutcome outcome = OpmlOutcome::NotOpml;
  std::vector<SourceEntry> sources;  // List: in document order, UTF-8, at most kMaxSources
  std::size_t ignored = 0;           // List: sources beyond kMaxSources
  std::vector<std::string> nested;   // List: names of outlines that are source lists themselves
  std::string error;                 // Broken: what is wrong
  std::size_t errorOffset = 0;       // Broken: where, in bytes from the start
};

// The sources of an OPML document: each `outline` with an `xmlUrl`, or else a `url`, in document
// order with nested outlines flattened; its `text`, else `title`, else SourceNameOf(address)
// names it. An outline of type "include", or whose address ends in ".opml", is another list:
// named in `nested`, not followed. The document's encoding is read as a feed's is; nesting of any
// depth is walked without recursion, in time linear in the document's size. A document larger
// than kLargestList is Broken.
OpmlReading ReadOpml(std::string_view bytes);

// The list as an OPML 2.0 document in UTF-8; names and addresses are UTF-8.
std::string WriteOpml(const std::vector<SourceEntry>& sources, std::string_view title);

}  // namespace core
