#include "core/feed/FeedProlog.h"

#include <algorithm>
#include <cctype>

#include "core/feed/FeedNamespaceUris.h"

namespace core {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EndsName(char c) {
  return IsSpace(c) || c == '/' || c == '>';
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// Pseudo-attributes and attributes alike: name="value" pairs up to the tag's end.
class AttributeReader {
 public:
  explicit AttributeReader(std::string_view tag) : tag_(tag) {}

  bool Next(std::string_view& name, std::string_view& value) {
    while (at_ < tag_.size() && IsSpace(tag_[at_])) ++at_;
    const std::size_t nameStart = at_;
    while (at_ < tag_.size() && tag_[at_] != '=' && !IsSpace(tag_[at_]) && tag_[at_] != '>') ++at_;
    name = tag_.substr(nameStart, at_ - nameStart);
    while (at_ < tag_.size() && IsSpace(tag_[at_])) ++at_;
    if (name.empty() || at_ >= tag_.size() || tag_[at_] != '=') return false;
    ++at_;
    while (at_ < tag_.size() && IsSpace(tag_[at_])) ++at_;
    if (at_ >= tag_.size() || (tag_[at_] != '"' && tag_[at_] != '\'')) return false;
    const char quote = tag_[at_++];
    const std::size_t valueEnd = tag_.find(quote, at_);
    if (valueEnd == std::string_view::npos) return false;
    value = tag_.substr(at_, valueEnd - at_);
    at_ = valueEnd + 1;
    return true;
  }

 private:
  std::string_view tag_;
  std::size_t at_ = 0;
};

std::string DeclaredEncoding(std::string_view declaration) {
  AttributeReader reader(declaration);
  for (std::string_view name, value; reader.Next(name, value);) {
    if (name == "encoding") return Lower(value);
  }
  return {};
}

// The root's start tag, from its name on: which feed it is, if any, by its local name and the
// namespace the tag declares for its prefix.
FeedFormat FormatOfRoot(std::string_view tag) {
  std::size_t nameEnd = 0;
  while (nameEnd < tag.size() && !EndsName(tag[nameEnd])) ++nameEnd;
  const std::string_view name = tag.substr(0, nameEnd);
  const std::size_t colon = name.find(':');
  const std::string_view prefix = colon == std::string_view::npos ? "" : name.substr(0, colon);
  const std::string_view local = name.substr(prefix.empty() ? 0 : colon + 1);
  const std::string xmlns = prefix.empty() ? "xmlns" : "xmlns:" + std::string(prefix);
  std::string_view space;
  AttributeReader reader(tag.substr(nameEnd));
  for (std::string_view attribute, value; reader.Next(attribute, value);) {
    if (attribute == xmlns) space = value;
  }
  if (local == "rss") return FeedFormat::Rss;
  if (local == "RDF" && space == feed_namespace::kRdf) return FeedFormat::Rdf;
  if (local == "feed" && space == feed_namespace::kAtom) return FeedFormat::Atom;
  return FeedFormat::None;
}

}  // namespace

std::size_t DoctypeEnd(std::string_view bytes, std::size_t at) {
  char quote = 0;
  int subset = 0;
  for (; at < bytes.size(); ++at) {
    const char c = bytes[at];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      ++subset;
    } else if (c == ']') {
      subset = std::max(subset - 1, 0);
    } else if (c == '>' && subset == 0) {
      return at + 1;
    }
  }
  return std::string_view::npos;
}

FeedProlog ReadFeedProlog(std::string_view bytes) {
  FeedProlog prolog;
  std::size_t at = bytes.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
  if (bytes.substr(at).starts_with("<?xml") && bytes.size() > at + 5 && IsSpace(bytes[at + 5])) {
    const std::size_t end = bytes.find("?>", at);
    if (end == std::string_view::npos) return prolog;
    prolog.encoding = DeclaredEncoding(bytes.substr(at + 5, end - at - 5));
    at = end + 2;
  }
  for (;;) {
    while (at < bytes.size() && IsSpace(bytes[at])) ++at;
    const std::string_view rest = bytes.substr(at);
    std::size_t end = std::string_view::npos;
    if (rest.starts_with("<!--")) {
      end = bytes.find("-->", at + 4);
      if (end != std::string_view::npos) end += 3;
    } else if (rest.starts_with("<?")) {
      end = bytes.find("?>", at + 2);
      if (end != std::string_view::npos) end += 2;
    } else if (rest.starts_with("<!DOCTYPE")) {
      end = DoctypeEnd(bytes, at + 9);
    } else {
      if (rest.size() < 2 || rest[0] != '<' || EndsName(rest[1])) return prolog;
      const std::size_t tagEnd = rest.find('>');
      std::size_t nameEnd = 1;
      while (nameEnd < rest.size() && !EndsName(rest[nameEnd])) ++nameEnd;
      prolog.rootName = rest.substr(1, nameEnd - 1);
      prolog.format = FormatOfRoot(
          rest.substr(1, tagEnd == std::string_view::npos ? std::string_view::npos : tagEnd - 1));
      prolog.rootStart = at;
      return prolog;
    }
    if (end == std::string_view::npos) return prolog;
    at = end;
  }
}

}  // namespace core
