#pragma once
// The two faults feed readers forgive, mended before a feed is read: a bare "&" that starts no
// reference, and an HTML named reference ("&rsquo;", "&nbsp;") that XML does not define. Nothing
// else is touched: comments, CDATA sections, processing instructions and a DOCTYPE stay as they
// are, and a name neither XML nor HTML knows stays for the DTD to answer.

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// How many such faults `xml` holds; one pass, no allocation.
std::size_t CountFeedRepairs(std::string_view xml);

// `xml` with each fault mended: a bare "&" becomes "&amp;", an HTML name its numeric reference.
std::string RepairFeed(std::string_view xml);

}  // namespace core
