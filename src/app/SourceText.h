#pragma once
// A read's bytes as the bar's lines: a feed gives its headlines, each with its story's address;
// an OPML document its sources; any other text goes to the pipeline byte for byte as before. Both
// the local file and the web worker read through this, so the two sources treat feeds alike.

#include <optional>
#include <string>

#include "core/sources/Opml.h"
#include "core/text/TextEncoding.h"
#include "core/text/TextLines.h"

struct SourceText {
  enum class Kind { Text, Feed, BrokenFeed, SourceList };
  Kind kind = Kind::Text;
  core::TextLines lines;    // Text and Feed, in the system's code page
  std::string error;        // BrokenFeed (or a broken list): the log line
  core::OpmlReading list;   // SourceList: names and addresses in UTF-8
  bool lossy = false;       // some character cannot be shown and became "?"
  std::size_t repairs = 0;  // Feed: faults mended before it could be read

  // "Feed: 12 headlines from SOURCE", so that a log tells a feed from a text.
  std::string FeedLine(const std::string& source) {
    return "Feed: " + std::to_string(lines.Lines().size()) + " headlines from " + source;
  }
  // "Feed: repaired SOURCE (3 fixes)": a sloppy feed shown after all, and said so.
  std::string RepairLine(const std::string& source) const {
    return "Feed: repaired " + source + " (" + std::to_string(repairs) + " fixes)";
  }
};

// Where a read came from: the address a feed's relative links are resolved against, and the
// name the log gives it (a web address without its password).
struct TextSource {
  std::string address;
  std::string shown;
};

// `charset` is a web server's, if any. Throws std::bad_alloc when memory runs out.
SourceText TextOfBody(std::string bytes, const std::optional<core::TextEncoding>& charset,
                      const TextSource& source, const std::string& separator);
