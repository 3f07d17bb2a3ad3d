#include "core/feed/FeedRepair.h"

#include <algorithm>
#include <cctype>

#include "core/feed/FeedProlog.h"
#include "core/feed/HtmlReferences.h"

namespace core {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsNameStart(char c) {
  const auto byte = static_cast<unsigned char>(c);
  const auto lower = static_cast<unsigned char>(byte | 0x20);
  return byte >= 0x80 || (lower >= 'a' && lower <= 'z') || c == '_' || c == ':';
}

bool IsNameChar(char c) {
  return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.';
}

bool IsXmlEntity(std::string_view name) {
  return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
}

// The next "<" at or after `from` that `second` follows ("<!" starts a comment, CDATA section or
// declaration, "<?" a processing instruction): found by the rarer second character, so that the
// search does not stop at every tag.
std::size_t NextOpening(std::string_view xml, char second, std::size_t from) {
  for (std::size_t at = xml.find(second, from + 1); at != kNone; at = xml.find(second, at + 1)) {
    if (xml[at - 1] == '<') return at - 1;
  }
  return kNone;
}

// Just after the comment, CDATA section, processing instruction or declaration that starts
// with the "<" at `lt`, whose "&" are not references; npos when it is never closed.
std::size_t AfterMarkup(std::string_view xml, std::size_t lt) {
  const std::string_view rest = xml.substr(lt);
  const auto after = [xml](std::size_t from, std::string_view close) {
    const std::size_t end = xml.find(close, from);
    return end == kNone ? kNone : end + close.size();
  };
  if (rest.starts_with("<!--")) return after(lt + 4, "-->");
  if (rest.starts_with("<![CDATA[")) return after(lt + 9, "]]>");
  if (rest.starts_with("<?")) return after(lt + 2, "?>");
  if (rest.starts_with("<!")) return DoctypeEnd(xml, lt + 2);
  return lt + 1;
}

struct Fault {
  std::size_t at;              // of the "&"
  std::size_t length;          // of what is replaced
  const HtmlReference* named;  // nullptr for a bare "&"
};

// Where reading goes on after the "&" at `amp`; `onFault` hears of it when it needs mending.
template <typename OnFault>
std::size_t CheckAmpersand(std::string_view xml, std::size_t amp, OnFault& onFault) {
  std::size_t at = amp + 1;
  if (at < xml.size() && xml[at] == '#') {
    const bool hex = ++at < xml.size() && xml[at] == 'x';
    const std::size_t digits = hex ? ++at : at;
    while (at < xml.size() && (hex ? std::isxdigit(static_cast<unsigned char>(xml[at]))
                                   : std::isdigit(static_cast<unsigned char>(xml[at])))) {
      ++at;
    }
    if (at > digits && at < xml.size() && xml[at] == ';') return at + 1;
  } else if (at < xml.size() && IsNameStart(xml[at])) {
    while (at < xml.size() && IsNameChar(xml[at])) ++at;
    if (at < xml.size() && xml[at] == ';') {
      const std::string_view name = xml.substr(amp + 1, at - amp - 1);
      const HtmlReference* named = IsXmlEntity(name) ? nullptr : FindHtmlReference(name);
      if (named != nullptr) onFault(Fault{amp, at + 1 - amp, named});
      return at + 1;
    }
  }
  onFault(Fault{amp, 1, nullptr});
  return amp + 1;
}

// Each byte is looked at a bounded number of times: "<!", "<?" and "&" are found by searching on
// from the last one, and a construct without its end ends the search.
template <typename OnFault>
void ForEachFault(std::string_view xml, OnFault onFault) {
  std::size_t bang = NextOpening(xml, '!', 0);
  std::size_t question = NextOpening(xml, '?', 0);
  std::size_t amp = xml.find('&');
  while (amp != kNone) {
    if (const std::size_t lt = std::min(bang, question); lt < amp) {
      const std::size_t after = AfterMarkup(xml, lt);
      if (after == kNone) return;
      if (bang < after) bang = NextOpening(xml, '!', after);
      if (question < after) question = NextOpening(xml, '?', after);
      if (amp < after) amp = xml.find('&', after);
      continue;
    }
    amp = xml.find('&', CheckAmpersand(xml, amp, onFault));
  }
}

void AppendNumeric(std::string& out, char32_t point) {
  out.append("&#").append(std::to_string(static_cast<std::uint32_t>(point))).append(";");
}

}  // namespace

std::size_t CountFeedRepairs(std::string_view xml) {
  std::size_t count = 0;
  ForEachFault(xml, [&count](const Fault&) { ++count; });
  return count;
}

std::string RepairFeed(std::string_view xml) {
  std::string out;
  out.reserve(xml.size() + xml.size() / 8);
  std::size_t copied = 0;
  ForEachFault(xml, [&](const Fault& fault) {
    out.append(xml.substr(copied, fault.at - copied));
    copied = fault.at + fault.length;
    if (fault.named == nullptr) {
      out.append("&amp;");
      return;
    }
    AppendNumeric(out, fault.named->first);
    if (fault.named->second != 0) AppendNumeric(out, fault.named->second);
  });
  out.append(xml.substr(copied));
  return out;
}

}  // namespace core
