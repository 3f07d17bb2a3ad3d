#include "core/feed/FeedReader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <utility>

#include "core/feed/FeedEncoding.h"
#include "core/feed/FeedNodeCount.h"
#include "core/feed/FeedProlog.h"
#include "core/web/WebAddress.h"

namespace core {
namespace {

constexpr std::size_t kDescriptionLimit = 100;
// "&" to ";" of the longest character reference decoded in escaped HTML.
constexpr std::size_t kLongestReference = 10;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsUtf16Marked(std::string_view bytes) {
  return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

FeedReading Broken(std::string error, std::size_t offset) {
  FeedReading reading;
  reading.outcome = FeedOutcome::Broken;
  reading.error = std::move(error);
  reading.errorOffset = offset;
  return reading;
}

// The character and entity data under `node`, in document order, walked without recursion.
std::string TextUnder(pugi::xml_node node) {
  std::string text;
  pugi::xml_node at = node.first_child();
  while (at && at != node) {
    if (at.type() == pugi::node_pcdata || at.type() == pugi::node_cdata) text += at.value();
    if (at.first_child()) {
      at = at.first_child();
      continue;
    }
    while (at != node && !at.next_sibling()) at = at.parent();
    if (at != node) at = at.next_sibling();
  }
  return text;
}

// Copies `size` characters of `text` from `from` back to `to`, which is not after it.
void MoveBack(std::string& text, std::size_t from, std::size_t size, std::size_t& to) {
  std::char_traits<char>::move(text.data() + to, text.data() + from, size);
  to += size;
}

// Tags of escaped markup ("<b>", "</a>", "<!-- -->") dropped; a "<" that starts none stays.
// Once no ">" follows, none follows any later "<" either: each byte is searched once. In place,
// since a tag's blank is shorter than the tag.
void StripTags(std::string& text) {
  const std::string_view view(text);
  std::size_t out = 0;
  bool closable = true;
  std::size_t at = 0;
  while (at < view.size()) {
    const std::size_t open = view.find('<', at);
    if (open == std::string_view::npos || open + 1 >= view.size()) {
      MoveBack(text, at, view.size() - at, out);
      break;
    }
    const char next = view[open + 1];
    const bool tag = std::isalpha(static_cast<unsigned char>(next)) != 0 || next == '/' ||
                     next == '!' || next == '?';
    const std::size_t close = tag && closable ? view.find('>', open) : std::string_view::npos;
    if (close == std::string_view::npos) {
      closable = closable && !tag;
      MoveBack(text, at, open + 1 - at, out);
      at = open + 1;
      continue;
    }
    MoveBack(text, at, open - at, out);
    text[out++] = ' ';  // "a<br>b" reads as two words
    at = close + 1;
  }
  text.resize(out);
}

// A character reference to nothing that can be shown becomes U+FFFD.
void AppendReferenced(std::string& out, std::uint32_t point) {
  if (point == 0 || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) point = 0xFFFD;
  AppendUtf8(out, point);
}

// The entities escaped HTML still holds once the XML's own are decoded: the five of XML,
// &nbsp; and numeric ones. Others stay as they are. A reference is looked for only as far as the
// longest one reaches.
std::string DecodeHtmlEntities(std::string_view text) {
  static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
      {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t amp = text.find('&', at);
    out.append(text.substr(at, amp - at));
    if (amp == std::string_view::npos) break;
    const std::size_t semi = text.substr(0, amp + kLongestReference + 1).find(';', amp);
    at = amp + 1;
    if (semi == std::string_view::npos) {
      out += '&';
      continue;
    }
    const std::string_view name = text.substr(amp + 1, semi - amp - 1);
    bool decoded = false;
    if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      const std::string_view digits = name.substr(hex ? 2 : 1);
      std::uint32_t point = 0;
      decoded = !digits.empty();
      for (const char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : hex && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
        if (digit < 0 || point > 0x10FFFF) {
          decoded = false;
          break;
        }
        point = point * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
      }
      if (decoded) AppendReferenced(out, point);
    } else {
      for (const auto& [entity, replacement] : kNamed) {
        if (name != entity) continue;
        out.append(replacement);
        decoded = true;
      }
    }
    if (decoded) {
      at = semi + 1;
    } else {
      out += '&';
    }
  }
  return out;
}

// The length of the blank, control character (C0, DEL or C1, such as NEL) or line or paragraph
// separator that starts `text`, in UTF-8; 0 when it starts with none.
std::size_t BlankLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(0) <= 0x20 || byte(0) == 0x7F) return 1;
  if (text.size() >= 2 && byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) return 2;
  if (text.size() >= 3 && byte(0) == 0xE2 && byte(1) == 0x80 &&
      (byte(2) == 0xA8 || byte(2) == 0xA9)) {
    return 3;
  }
  return 0;
}

// Runs of blanks, line breaks and other control characters become one blank; none at the ends.
// In place: a run is never shorter than its blank.
void CollapseInPlace(std::string& text) {
  std::size_t out = 0;
  bool blank = false;
  for (std::size_t at = 0; at < text.size();) {
    if (const std::size_t length = BlankLength(std::string_view(text).substr(at))) {
      blank = out > 0;
      at += length;
      continue;
    }
    if (blank) text[out++] = ' ';
    blank = false;
    text[out++] = text[at++];
  }
  text.resize(out);
}

std::string Collapse(std::string_view text) {
  std::string out(text);
  CollapseInPlace(out);
  return out;
}

enum class Markup { Text, Html };

std::string Readable(pugi::xml_node node, Markup markup) {
  std::string text = TextUnder(node);
  StripTags(text);
  if (markup == Markup::Html) {
    text = DecodeHtmlEntities(text);
    StripTags(text);
  }
  CollapseInPlace(text);
  return text;
}

bool IsHtml(pugi::xml_node node) {
  const std::string_view type = node.attribute("type").value();
  return type == "html" || type == "xhtml";
}

// The address `reference` names for the element `node`: resolved against every xml:base from
// the root down to the element, and against the feed's own address first.
std::string Resolved(pugi::xml_node node, std::string_view address, std::string_view reference) {
  std::vector<std::string_view> bases;
  for (pugi::xml_node at = node; at && at.type() == pugi::node_element; at = at.parent()) {
    if (const pugi::xml_attribute base = at.attribute("xml:base")) bases.emplace_back(base.value());
  }
  const std::string written = Collapse(reference);
  // An empty reference would name the feed itself.
  if (written.empty()) return {};
  std::string base(address);
  for (auto it = bases.rbegin(); it != bases.rend(); ++it) base = ResolveAddress(base, *it);
  std::string link = ResolveAddress(base, written);
  return IsWebAddress(link) ? link : std::string();
}

class ItemReader {
 public:
  ItemReader(FeedFormat format, std::string prefix, std::string_view address)
      : format_(format), prefix_(std::move(prefix)), address_(address) {}

  std::optional<FeedItem> Read(pugi::xml_node item) const {
    FeedItem result;
    if (const pugi::xml_node title = Child(item, "title")) {
      result.text = Readable(
          title, format_ == FeedFormat::Atom && IsHtml(title) ? Markup::Html : Markup::Text);
    }
    if (result.text.empty()) result.text = CutAtWord(Summary(item), kDescriptionLimit);
    if (result.text.empty()) return std::nullopt;
    result.link = format_ == FeedFormat::Atom ? AtomLink(item) : RssLink(item);
    return result;
  }

  pugi::xml_node Child(pugi::xml_node node, std::string_view name) const {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
      if (Named(child, name)) return child;
    }
    return {};
  }

  bool Named(pugi::xml_node node, std::string_view name) const {
    const std::string_view nodeName = node.name();
    return nodeName.size() == prefix_.size() + name.size() && nodeName.starts_with(prefix_) &&
           nodeName.ends_with(name);
  }

 private:
  std::string Summary(pugi::xml_node item) const {
    if (format_ == FeedFormat::Atom) {
      const pugi::xml_node summary = Child(item, "summary");
      return summary ? Readable(summary, IsHtml(summary) ? Markup::Html : Markup::Text) : "";
    }
    // RSS descriptions are HTML, escaped or not.
    const pugi::xml_node description = Child(item, "description");
    return description ? Readable(description, Markup::Html) : "";
  }

  std::string RssLink(pugi::xml_node item) const {
    if (const pugi::xml_node link = Child(item, "link")) {
      std::string resolved = Resolved(link, address_, TextUnder(link));
      if (!resolved.empty()) return resolved;
    }
    const pugi::xml_node guid = Child(item, "guid");
    if (!guid || std::string_view(guid.attribute("isPermaLink").value()) == "false") return {};
    return Resolved(guid, address_, TextUnder(guid));
  }

  std::string AtomLink(pugi::xml_node entry) const {
    for (pugi::xml_node link = entry.first_child(); link; link = link.next_sibling()) {
      if (!Named(link, "link")) continue;
      const pugi::xml_attribute rel = link.attribute("rel");
      if (rel && std::string_view(rel.value()) != "alternate") continue;
      std::string resolved = Resolved(link, address_, link.attribute("href").value());
      if (!resolved.empty()) return resolved;
    }
    return {};
  }

  FeedFormat format_;
  std::string prefix_;
  std::string_view address_;
};

// Where the items are: channel/item (RSS), item beside the channel (RSS 1.0), entry (Atom).
std::vector<FeedItem> ReadItems(pugi::xml_node root, const FeedProlog& prolog,
                                std::string_view address) {
  const bool atom = prolog.format == FeedFormat::Atom;
  const ItemReader reader(prolog.format, atom ? prolog.rootPrefix : "", address);
  pugi::xml_node parent = root;
  if (prolog.format == FeedFormat::Rss) parent = reader.Child(root, "channel");
  std::vector<FeedItem> items;
  for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
    if (!reader.Named(node, atom ? "entry" : "item")) continue;
    if (std::optional<FeedItem> item = reader.Read(node)) items.push_back(std::move(*item));
  }
  return items;
}

// How the parser's UTF-8 was made from the bytes that came.
enum class Source { Utf8, SingleByte, Utf16 };

// Where an offset into the parser's UTF-8 lies in the bytes that came: a character of a
// single-byte code page was one byte there, a UTF-16 character two or four.
std::size_t OffsetInSource(std::string_view utf8, std::size_t offset, Source source) {
  if (source == Source::Utf8) return offset;
  offset = std::min(offset, utf8.size());
  std::size_t at = 0;
  for (const char c : utf8.substr(0, offset)) {
    if (IsContinuation(c)) continue;
    const bool beyondPlane = static_cast<unsigned char>(c) >= 0xF0;
    at += source == Source::SingleByte ? 1 : beyondPlane ? 4 : 2;
  }
  return at;
}

// The bytes that came, and what the parser takes of them.
struct ParserInput {
  std::string utf8;
  std::size_t skipped = 0;  // bytes before what the parser sees: a byte-order mark
  Source source = Source::Utf8;
  TextEncoding encoding{TextEncoding::Kind::Utf8, 0, 0};  // of eight-bit bytes
};

// `bytes` in `encoding` as UTF-8: by core's tables, else by the system's conversion.
std::optional<std::string> ConvertedToUtf8(std::string_view bytes, const TextEncoding& encoding,
                                           const CodePageToUtf8& toUtf8) {
  std::optional<std::string> converted = SingleByteToUtf8(bytes, encoding);
  if (!converted && toUtf8) converted = toUtf8(bytes, encoding.codePage);
  return converted;
}

// Where `offset` into `utf8`, the parser's input as it was made from `bytes`, lies in `bytes`.
std::size_t OffsetInBytes(std::string_view bytes, const ParserInput& input, std::string_view utf8,
                          std::size_t offset) {
  return std::min(input.skipped + OffsetInSource(utf8, offset, input.source), bytes.size());
}

// The same for an offset into the parser's input after the parse rewrote it: counted over the
// input made once more (which a conversion may fail to do, leaving the offset as it is).
std::size_t OffsetOfParsed(std::string_view bytes, const ParserInput& input, std::size_t offset,
                           const CodePageToUtf8& toUtf8) {
  std::optional<std::string> again;
  if (input.source == Source::Utf16) again = Utf16ToUtf8(bytes);
  if (input.source == Source::SingleByte) {
    again = ConvertedToUtf8(bytes.substr(input.skipped), input.encoding, toUtf8);
  }
  if (!again) return std::min(input.skipped + offset, bytes.size());
  return OffsetInBytes(bytes, input, *again, offset);
}

}  // namespace

std::string CutAtWord(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + 1;
    while (next < text.size() && IsContinuation(text[next])) ++next;
    if (characters == limit) break;
    ++characters;
    end = next;
  }
  if (end == text.size()) return std::string(text);
  // Cut before the word the limit falls into, unless that word is the first.
  const bool atBlank = text[end] == ' ';
  std::size_t cut = atBlank ? end : text.rfind(' ', end);
  if (cut == std::string_view::npos || cut == 0) cut = end;
  while (cut > 0 && text[cut - 1] == ' ') --cut;
  return std::string(text.substr(0, cut));
}

FeedReading ReadFeed(std::string_view bytes, const std::optional<TextEncoding>& charset,
                     std::string_view address, const CodePageToUtf8& toUtf8) {
  ParserInput input;
  FeedProlog prolog;
  if (IsUtf16Marked(bytes)) {
    input.utf8 = Utf16ToUtf8(bytes);
    input.skipped = 2;
    input.source = Source::Utf16;
    prolog = ReadFeedProlog(input.utf8);
    if (prolog.format == FeedFormat::None) return {};
  } else {
    prolog = ReadFeedProlog(bytes);
    if (prolog.format == FeedFormat::None) return {};
    std::optional<TextEncoding> encoding = input.encoding;
    if (bytes.starts_with(kUtf8Mark)) {
      input.skipped = kUtf8Mark.size();
    } else if (!prolog.encoding.empty()) {
      encoding = EncodingOfDeclaration(prolog.encoding);
    } else if (charset) {
      encoding = charset;
    }
    std::optional<std::string> converted;
    if (encoding) {
      // Eight-bit bytes that declare UTF-16 cannot be; read them as XML's default.
      if (encoding->kind == TextEncoding::Kind::CodePage) input.encoding = *encoding;
      converted = ConvertedToUtf8(bytes.substr(input.skipped), input.encoding, toUtf8);
    }
    if (!converted) {
      const std::string name = prolog.encoding.empty() ? "the server's charset" : prolog.encoding;
      return Broken("unsupported encoding " + name, 0);
    }
    input.utf8 = std::move(*converted);
    if (input.encoding.kind == TextEncoding::Kind::CodePage) input.source = Source::SingleByte;
  }
  if (const std::optional<std::size_t> beyond = OffsetBeyondNodes(input.utf8, kMostFeedNodes)) {
    return Broken("more than " + std::to_string(kMostFeedNodes) + " elements, attributes and texts",
                  OffsetInBytes(bytes, input, input.utf8, *beyond));
  }
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer_inplace(
      input.utf8.data(), input.utf8.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) {
    // The parse has rewritten the buffer in place: the offset is counted over a new conversion,
    // made once the tree and the buffer are freed.
    const auto offset = static_cast<std::size_t>(parsed.offset);
    document.reset();
    std::string().swap(input.utf8);
    return Broken(parsed.description(), OffsetOfParsed(bytes, input, offset, toUtf8));
  }
  FeedReading reading;
  reading.outcome = FeedOutcome::Feed;
  reading.items = ReadItems(document.document_element(), prolog, address);
  return reading;
}

std::string OneLineSeparator(std::string_view separator) {
  std::string oneLine(separator);
  std::erase_if(oneLine, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
  return oneLine;
}

std::string FeedLineBytes(const std::vector<FeedItem>& items, std::string_view separator) {
  const std::string oneLine = OneLineSeparator(separator);
  const std::size_t size = std::accumulate(items.begin(), items.end(), std::size_t{0},
                                           [&](std::size_t sum, const FeedItem& item) {
                                             return sum + item.text.size() + oneLine.size() + 1;
                                           });
  std::string bytes;
  bytes.reserve(size);
  for (const FeedItem& item : items) bytes.append(item.text).append(oneLine).append(1, '\n');
  return bytes;
}

}  // namespace core
