#include "core/feed/FeedReader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <utility>

#include "core/feed/FeedDate.h"
#include "core/feed/FeedEncoding.h"
#include "core/feed/FeedNamespaces.h"
#include "core/feed/FeedNodeCount.h"
#include "core/feed/FeedProlog.h"
#include "core/feed/FeedRefreshHint.h"
#include "core/feed/FeedRepair.h"
#include "core/feed/HtmlText.h"
#include "core/text/TextDecoding.h"
#include "core/web/WebAddress.h"

namespace core {
namespace {

constexpr std::size_t kDescriptionLimit = 100;
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

// The text without XML's blanks at either end.
std::string Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

std::string Collapse(std::string_view text) {
  std::string out(text);
  CollapseBlanks(out);
  return out;
}

enum class Markup { Text, Html };

// HTML has its tags dropped and then its references decoded; plain text, and XHTML's text
// content, are shown as they are, angle brackets and all.
std::string Readable(pugi::xml_node node, Markup markup) {
  std::string text = TextUnder(node);
  if (markup == Markup::Html) {
    StripTags(text);
    DecodeHtmlReferences(text);
  }
  CollapseBlanks(text);
  return text;
}

// Atom's text constructs and Media RSS's title say what they hold, text by default. Everything
// else a feed reader takes as HTML, escaped or not.
Markup MarkupOf(pugi::xml_node node, std::string_view space) {
  if (space != feed_namespace::kAtom && space != feed_namespace::kMedia) return Markup::Html;
  const std::string_view type = node.attribute("type").value();
  return type == "html" || type == "text/html" ? Markup::Html : Markup::Text;
}

// Where an item's line comes from, in the order it is looked for: a title, else a text cut
// short. Then its date and its id, each the first of its kind that reads.
enum Field {
  kTitle,
  kDcTitle,
  kMediaTitle,
  kDescription,
  kSummary,
  kEncoded,
  kContent,
  kDcDescription,
  kItunesSummary,
  kPubDate,
  kPublished,
  kUpdated,
  kDcDate,
  kGuid,
  kAtomId,
  kFieldCount
};

struct FieldName {
  bool own;  // in the feed's own namespace, else in `space`
  std::string_view space;
  std::string_view local;
};

constexpr FieldName kFieldNames[kFieldCount] = {
    {true, {}, "title"},
    {false, feed_namespace::kDublinCore, "title"},
    {false, feed_namespace::kMedia, "title"},
    {true, {}, "description"},
    {false, feed_namespace::kAtom, "summary"},
    {false, feed_namespace::kContent, "encoded"},
    {false, feed_namespace::kAtom, "content"},
    {false, feed_namespace::kDublinCore, "description"},
    {false, feed_namespace::kItunes, "summary"},
    {true, {}, "pubDate"},
    {false, feed_namespace::kAtom, "published"},
    {false, feed_namespace::kAtom, "updated"},
    {false, feed_namespace::kDublinCore, "date"},
    {true, {}, "guid"},
    {false, feed_namespace::kAtom, "id"},
};

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
  ItemReader(FeedFormat format, std::string_view rootSpace, std::string_view address)
      : format_(format), rootSpace_(rootSpace), address_(address) {}

  // The scope that the elements looked at next are children of.
  void Enter(const NamespaceScope& scope) { scope_ = &scope; }

  std::optional<FeedItem> Read(pugi::xml_node item, const NamespaceScope& scope) {
    Enter(scope);
    struct Found {
      pugi::xml_node node;
      Markup markup = Markup::Html;
    };
    std::array<Found, kFieldCount> found{};
    for (pugi::xml_node child = item.first_child(); child; child = child.next_sibling()) {
      const std::string_view local = LocalName(child);
      std::optional<std::string_view> space;  // looked up once the local name matches
      for (std::size_t field = 0; field < kFieldCount; ++field) {
        const FieldName& name = kFieldNames[field];
        if (found[field].node || name.local != local) continue;
        if (!space) space = scope.NamespaceOf(child);
        if (name.own ? IsOwn(*space) : *space == name.space) {
          found[field] = {child, MarkupOf(child, *space)};
        }
      }
    }
    const auto first = [&](std::size_t from, std::size_t to) {
      std::string text;
      for (std::size_t field = from; field < to && text.empty(); ++field) {
        if (found[field].node) text = Readable(found[field].node, found[field].markup);
      }
      return text;
    };
    FeedItem result;
    result.text = first(kTitle, kDescription);
    if (result.text.empty()) {
      result.text = CutAtWord(first(kDescription, kPubDate), kDescriptionLimit);
    }
    if (result.text.empty()) return std::nullopt;
    result.link = format_ == FeedFormat::Atom ? AtomLink(item) : RssLink(item);
    for (std::size_t field = kPubDate; field < kGuid && !result.date; ++field) {
      if (found[field].node) result.date = FeedDateSeconds(TextUnder(found[field].node));
    }
    for (std::size_t field = kGuid; field < kFieldCount && result.id.empty(); ++field) {
      if (found[field].node) result.id = Trimmed(TextUnder(found[field].node));
    }
    if (result.id.empty() && format_ == FeedFormat::Rdf) result.id = RdfAbout(item);
    return result;
  }

  pugi::xml_node Child(pugi::xml_node node, std::string_view name) const {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
      if (Named(child, name)) return child;
    }
    return {};
  }

  bool Named(pugi::xml_node node, std::string_view name) const {
    return node.type() == pugi::node_element && LocalName(node) == name &&
           IsOwn(scope_->NamespaceOf(node));
  }

 private:
  // Atom's elements are in its namespace; RSS's in none, in RSS 1.0's (or 0.90's), or in the
  // one its root is in.
  bool IsOwn(std::string_view space) const {
    if (format_ == FeedFormat::Atom) return space == feed_namespace::kAtom;
    return space.empty() || space == feed_namespace::kRss10 || space == feed_namespace::kRss090 ||
           space == rootSpace_;
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

  // RSS 1.0 names an item by its rdf:about: the first "about" under a prefix, when the item
  // declares that prefix RDF's or, declaring nothing for it, shares it with the root (which is in
  // the RDF namespace). Two looks through the item's attributes, however many it has.
  static std::string RdfAbout(pugi::xml_node item) {
    constexpr std::string_view kAbout = ":about";
    const auto about = std::find_if(item.attributes_begin(), item.attributes_end(),
                                    [&](const pugi::xml_attribute& at) {
                                      return std::string_view(at.name()).ends_with(kAbout);
                                    });
    if (about == item.attributes_end()) return {};
    const std::string_view name = about->name();
    const std::string_view prefix = name.substr(0, name.size() - kAbout.size());
    const std::string declaration = "xmlns:" + std::string(prefix);
    const pugi::xml_attribute declared = item.attribute(declaration.c_str());
    const std::string_view root = item.parent().name();
    const bool rdf = declared
                         ? declared.value() == feed_namespace::kRdf
                         : root.starts_with(prefix) && root.substr(prefix.size()).starts_with(':');
    return rdf ? Trimmed(about->value()) : std::string();
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
  std::string_view rootSpace_;
  std::string_view address_;
  const NamespaceScope* scope_ = nullptr;
};

// What the channel's ttl and syndication elements say, each the first of its kind, matched by
// namespace as the items' fields are.
std::optional<std::int64_t> RefreshHint(pugi::xml_node channel, const NamespaceScope& scope,
                                        ItemReader& reader) {
  FeedRefreshFields fields;
  reader.Enter(scope);
  for (pugi::xml_node child = channel.first_child(); child; child = child.next_sibling()) {
    std::optional<std::string_view>* field = nullptr;
    if (reader.Named(child, "ttl")) {
      field = &fields.ttl;
    } else if (child.type() == pugi::node_element &&
               scope.NamespaceOf(child) == kSyndicationNamespace) {
      if (LocalName(child) == "updatePeriod") field = &fields.updatePeriod;
      if (LocalName(child) == "updateFrequency") field = &fields.updateFrequency;
    }
    if (field && !*field) *field = child.child_value();
  }
  return RefreshHintSeconds(fields);
}

// Where the items are: channel/item (RSS), item beside the channel (RSS 1.0), entry (Atom). The
// channel of either RSS says how often it changes.
FeedReading ReadItems(pugi::xml_node root, FeedFormat format, std::string_view address) {
  const NamespaceScope rootScope(root);
  ItemReader reader(format, rootScope.NamespaceOf(root), address);
  reader.Enter(rootScope);
  FeedReading reading;
  reading.outcome = FeedOutcome::Feed;
  pugi::xml_node parent = root;
  std::optional<NamespaceScope> channelScope;
  if (format != FeedFormat::Atom) {
    const pugi::xml_node channel = reader.Child(root, "channel");
    channelScope.emplace(channel, &rootScope);
    reading.refreshHintSeconds = RefreshHint(channel, *channelScope, reader);
    if (format == FeedFormat::Rss) parent = channel;
  }
  const NamespaceScope& parentScope = format == FeedFormat::Rss ? *channelScope : rootScope;
  const std::string_view itemName = format == FeedFormat::Atom ? "entry" : "item";
  for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
    reader.Enter(parentScope);
    if (!reader.Named(node, itemName)) continue;
    const NamespaceScope itemScope(node, &parentScope);
    if (std::optional<FeedItem> item = reader.Read(node, itemScope)) {
      reading.items.push_back(std::move(*item));
    }
  }
  return reading;
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

// The parser's input made once more from the bytes that came; nullopt when the system's
// conversion fails this time.
std::optional<std::string> ParserTextAgain(std::string_view bytes, const ParserInput& input,
                                           const CodePageToUtf8& toUtf8) {
  if (input.source == Source::Utf16) return Utf16ToUtf8(bytes);
  return ConvertedToUtf8(bytes.substr(input.skipped), input.encoding, toUtf8);
}

// The same for an offset into the parser's input after the parse rewrote it: counted over the
// input made once more (which a conversion may fail to do, leaving the offset as it is).
std::size_t OffsetOfParsed(std::string_view bytes, const ParserInput& input, std::size_t offset,
                           const CodePageToUtf8& toUtf8) {
  std::optional<std::string> again;
  if (input.source != Source::Utf8) again = ParserTextAgain(bytes, input, toUtf8);
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
  if (const std::size_t repairs = CountFeedRepairs(input.utf8)) {
    // One copy at a time: the repaired text replaces the one it was made from.
    std::string repaired = RepairFeed(input.utf8);
    std::string().swap(input.utf8);
    pugi::xml_parse_result parsed;
    {
      pugi::xml_document document;
      parsed = document.load_buffer_inplace(repaired.data(), repaired.size(), pugi::parse_default,
                                            pugi::encoding_utf8);
      if (parsed) {
        FeedReading reading = ReadItems(document.document_element(), prolog.format, address);
        reading.repairs = repairs;
        return reading;
      }
    }
    // Past mending: the text as it came tells where it breaks.
    std::string().swap(repaired);
    std::optional<std::string> again = ParserTextAgain(bytes, input, toUtf8);
    if (!again) return Broken(parsed.description(), 0);
    input.utf8 = std::move(*again);
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
  return ReadItems(document.document_element(), prolog.format, address);
}

std::u16string OneLineSeparator(std::u16string_view separator) {
  std::u16string oneLine(separator);
  std::erase_if(oneLine, [](char16_t c) { return c == u'\r' || c == u'\n' || c == u'\0'; });
  return oneLine;
}

std::u16string FeedLineText(const std::vector<FeedItem>& items, std::u16string_view separator) {
  const std::u16string oneLine = OneLineSeparator(separator);
  // A UTF-8 byte never gives more than one unit.
  const std::size_t size = std::accumulate(items.begin(), items.end(), std::size_t{0},
                                           [&](std::size_t sum, const FeedItem& item) {
                                             return sum + item.text.size() + oneLine.size() + 1;
                                           });
  std::u16string text;
  text.reserve(size);
  for (const FeedItem& item : items) {
    AppendDecodedUtf8(text, item.text);
    text.append(oneLine).append(1, u'\n');
  }
  return text;
}

}  // namespace core
