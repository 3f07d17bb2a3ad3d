#include "core/sources/Opml.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "core/feed/FeedEncoding.h"
#include "core/feed/FeedProlog.h"
#include "core/sources/SourceAddress.h"
#include "core/web/WebAddress.h"

namespace core {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsUtf16Marked(std::string_view bytes) {
  return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// An eight-bit document as the parser reads it: UTF-8, or nullopt for an encoding without a
// table.
std::optional<std::string> Utf8Of(std::string_view bytes, const FeedProlog& prolog) {
  if (bytes.starts_with(kUtf8Mark)) return std::string(bytes.substr(kUtf8Mark.size()));
  std::optional<TextEncoding> encoding = TextEncoding{TextEncoding::Kind::Utf8, 0, 0};
  if (!prolog.encoding.empty()) encoding = EncodingOfDeclaration(prolog.encoding);
  if (!encoding || encoding->kind != TextEncoding::Kind::CodePage) {
    return encoding ? std::optional<std::string>(std::string(bytes)) : std::nullopt;
  }
  return SingleByteToUtf8(bytes, *encoding);
}

bool IsList(pugi::xml_node outline, std::string_view address) {
  if (SameLetters(outline.attribute("type").value(), "include")) return true;
  constexpr std::string_view kOpml = ".opml";
  return address.size() >= kOpml.size() &&
         SameLetters(address.substr(address.size() - kOpml.size()), kOpml);
}

void Take(pugi::xml_node outline, OpmlReading& reading) {
  std::string_view address = Trimmed(outline.attribute("xmlUrl").value());
  if (address.empty()) address = Trimmed(outline.attribute("url").value());
  if (address.empty()) return;  // a folder, or an outline of text only
  std::string name(Trimmed(outline.attribute("text").value()));
  if (name.empty()) name = Trimmed(outline.attribute("title").value());
  if (name.empty()) name = SourceNameOf(address);
  if (IsList(outline, address)) {
    reading.nested.push_back(std::move(name));
  } else if (reading.sources.size() < kMaxSources) {
    reading.sources.push_back({std::move(name), std::string(address)});
  } else {
    ++reading.ignored;
  }
}

// Every outline under `body`, in document order, without recursion.
void TakeOutlines(pugi::xml_node body, OpmlReading& reading) {
  pugi::xml_node node = body.first_child();
  while (node) {
    const bool element = node.type() == pugi::node_element;
    if (element && std::string_view(node.name()) == "outline") Take(node, reading);
    if (element && node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != body && !node.next_sibling()) node = node.parent();
    if (node == body) return;
    node = node.next_sibling();
  }
}

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // A line break in a name would not survive as itself in an attribute.
        out += static_cast<unsigned char>(c) < ' ' ? ' ' : c;
    }
  }
}

}  // namespace

OpmlReading ReadOpml(std::string_view bytes) {
  OpmlReading reading;
  FeedProlog prolog = ReadFeedProlog(bytes);
  std::optional<std::string> utf8;
  if (IsUtf16Marked(bytes)) {
    utf8 = Utf16ToUtf8(bytes);
    prolog = ReadFeedProlog(*utf8);
  }
  if (prolog.rootName != "opml") return reading;
  reading.outcome = OpmlOutcome::Broken;
  if (bytes.size() > kLargestList) {
    reading.error = "larger than 16 MB";
    return reading;
  }
  if (!utf8) utf8 = Utf8Of(bytes, prolog);
  if (!utf8) {
    reading.error = "unsupported encoding " + prolog.encoding;
    return reading;
  }
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer_inplace(
      utf8->data(), utf8->size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) {
    reading.error = parsed.description();
    reading.errorOffset = static_cast<std::size_t>(parsed.offset);
    return reading;
  }
  reading.outcome = OpmlOutcome::List;
  if (const pugi::xml_node body = document.document_element().child("body")) {
    TakeOutlines(body, reading);
  }
  return reading;
}

std::string WriteOpml(const std::vector<SourceEntry>& sources, std::string_view title) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n<head><title>";
  AppendEscaped(out, title);
  out += "</title></head>\n<body>\n";
  for (const SourceEntry& source : sources) {
    out += "<outline text=\"";
    AppendEscaped(out, source.name);
    // A feed reader imports web addresses; a file is a link to it.
    out += IsWebAddress(source.address) ? "\" type=\"rss\" xmlUrl=\"" : "\" type=\"link\" url=\"";
    AppendEscaped(out, source.address);
    out += "\"/>\n";
  }
  out += "</body>\n</opml>\n";
  return out;
}

}  // namespace core
