#pragma once
// A read's bytes as the bar's lines: a feed gives its headlines, each with its story's address;
// an OPML document its sources; any other text is decoded for the pipeline. Both the local file
// and the web worker read through this, so the two sources treat feeds alike.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/sources/Opml.h"
#include "core/text/TextEncoding.h"
#include "core/text/TextLines.h"

struct SourceText {
  enum class Kind { Text, Feed, BrokenFeed, SourceList };
  Kind kind = Kind::Text;
  core::TextLines lines;    // Text and Feed
  std::string error;        // BrokenFeed (or a broken list): the log line
  core::OpmlReading list;   // SourceList: names and addresses in UTF-8
  std::size_t repairs = 0;  // Feed: faults mended before it could be read
  std::optional<std::int64_t> refreshHintMs;  // Feed: how often it says it changes

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

// A text this large cannot be shown usefully and would cost several times its size in memory.
inline constexpr std::size_t kLargestReadableFile = 256u * 1024 * 1024;

// `charset` is a web server's, if any; `separator` ends each headline. Throws std::bad_alloc when
// memory runs out.
SourceText TextOfBody(std::string bytes, const std::optional<core::TextEncoding>& charset,
                      const TextSource& source, std::u16string_view separator);
