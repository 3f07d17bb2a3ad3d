#pragma once
// What comes before a document's root element, read without a parser: whether the root makes
// the text a feed, and the encoding its XML declaration names. It runs on every text, so it
// looks only at the start and stops at the root's start tag.

#include <string>
#include <string_view>

namespace core {

enum class FeedFormat { None, Rss, Rdf, Atom };

struct FeedProlog {
  FeedFormat format = FeedFormat::None;
  std::string encoding;       // the declaration's encoding, lower case; empty without one
  std::string rootName;       // the root's name as written, so that other formats can be told
  std::size_t rootStart = 0;  // offset of the root's "<"
};

// Reads `bytes` in an ASCII-compatible encoding (UTF-8 or a single-byte code page), after an
// optional UTF-8 byte-order mark. The root is a feed when it is `rss`, `RDF` in the RDF namespace
// or `feed` in the Atom 1.0 namespace, under any prefix; comments, processing instructions and a
// DOCTYPE (with its internal subset) may come before it.
FeedProlog ReadFeedProlog(std::string_view bytes);

// Just after the ">" that ends a DOCTYPE (or any other "<!" declaration) whose body starts at
// `at`: the first one outside quotes and outside the internal subset; npos when none does.
std::size_t DoctypeEnd(std::string_view bytes, std::size_t at);

}  // namespace core
