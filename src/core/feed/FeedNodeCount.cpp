#include "core/feed/FeedNodeCount.h"

#include <algorithm>

#include "core/feed/FeedProlog.h"

namespace core {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Just after the first `close` from `from` on, or the end when there is none.
std::size_t After(std::string_view xml, std::size_t from, std::string_view close) {
  const std::size_t end = xml.find(close, from);
  return end == std::string_view::npos ? xml.size() : end + close.size();
}

// Just after the start tag whose name starts at `at`; its attributes added to `count`. A quoted
// value may hold "=" and ">".
std::size_t StartTagEnd(std::string_view xml, std::size_t at, std::size_t& count) {
  char quote = 0;
  for (; at < xml.size(); ++at) {
    const char c = xml[at];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '=') {
      ++count;
    } else if (c == '>') {
      return at + 1;
    }
  }
  return xml.size();
}

}  // namespace

std::optional<std::size_t> OffsetBeyondNodes(std::string_view xml, std::size_t most) {
  std::size_t count = 0;
  std::size_t at = 0;
  while (at < xml.size()) {
    const std::size_t start = at;
    if (xml[at] != '<') {
      at = std::min(xml.find('<', at), xml.size());
      if (std::all_of(xml.begin() + static_cast<std::ptrdiff_t>(start),
                      xml.begin() + static_cast<std::ptrdiff_t>(at), IsBlank)) {
        continue;
      }
      ++count;
    } else {
      const std::string_view rest = xml.substr(at);
      if (rest.starts_with("<!--")) {
        at = After(xml, at + 4, "-->");
      } else if (rest.starts_with("<![CDATA[")) {
        at = After(xml, at + 9, "]]>");
        ++count;
      } else if (rest.starts_with("<?")) {
        at = After(xml, at + 2, "?>");
      } else if (rest.starts_with("<!")) {
        at = std::min(DoctypeEnd(xml, at + 2), xml.size());
      } else if (rest.starts_with("</")) {
        at = After(xml, at + 2, ">");
      } else {
        ++count;
        at = StartTagEnd(xml, at + 1, count);
      }
    }
    if (count > most) return start;
  }
  return std::nullopt;
}

}  // namespace core
