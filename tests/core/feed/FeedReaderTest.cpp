#include "core/feed/FeedEncoding.h"
#include "core/feed/FeedReader.h"

#include <gtest/gtest.h>

#include "TestNames.h"

#include <string>
#include <vector>

namespace core {

void PrintTo(const FeedItem& item, std::ostream* out) {
  *out << "{\"" << item.text << "\", \"" << item.link << "\", "
       << (item.date ? std::to_string(*item.date) : "no date") << ", \"" << item.id << "\"}";
}

namespace {

using Kind = TextEncoding::Kind;
constexpr const char* kAddress = "http://news.example/feeds/main.xml";

struct FeedCase {
  const char* what;
  std::string bytes;
  FeedOutcome outcome;
  std::vector<FeedItem> items;
  std::optional<TextEncoding> charset = std::nullopt;
  std::size_t repairs = 0;
};

std::string Rss(const std::string& items, const std::string& channelAttributes = "") {
  return "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel" + channelAttributes +
         "><title>Channel</title>" + items + "</channel></rss>";
}

std::string Utf16LE(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) bytes.append({c, '\0'});
  return bytes;
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

std::string BillionLaughs() {
  std::string dtd = "<!DOCTYPE rss [<!ENTITY lol \"lol\">";
  for (int level = 1; level <= 9; ++level) {
    dtd += "<!ENTITY lol" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i)
      dtd += "&lol" + (level == 1 ? "" : std::to_string(level - 1)) + ";";
    dtd += "\">";
  }
  dtd += "<!ENTITY ext SYSTEM \"http://attacker.example/x\">]>";
  return "<?xml version=\"1.0\"?>" + dtd +
         "<rss version=\"2.0\"><channel><item><title>a &lol9; b "
         "&ext;</title></item></channel></rss>";
}

void PrintTo(const FeedCase& row, std::ostream* out) {
  *out << row.what;
}

class FeedReading : public testing::TestWithParam<FeedCase> {};

TEST_P(FeedReading, GivesHeadlinesAndTheirStories) {
  const FeedCase& row = GetParam();
  const core::FeedReading reading = ReadFeed(row.bytes, row.charset, kAddress);
  EXPECT_EQ(reading.outcome, row.outcome) << reading.error;
  EXPECT_EQ(reading.items, row.items);
  EXPECT_EQ(reading.repairs, row.repairs);
}

std::string Atom(const std::string& entries) {
  return "<feed xmlns=\"http://www.w3.org/2005/Atom\">" + entries + "</feed>";
}

constexpr std::int64_t kNov6 = 784111777;   // Sun, 06 Nov 1994 08:49:37 GMT
constexpr std::int64_t kDec8 = 1796724000;  // 2026-12-08T10:00:00Z
const std::string kPubDate = "<pubDate>Sun, 06 Nov 1994 08:49:37 GMT</pubDate>";
const std::string kDcDate = "<dc:date>2026-12-08T10:00:00Z</dc:date>";
const std::string kDcSpace = " xmlns:dc=\"http://purl.org/dc/elements/1.1/\"";

const std::string kLong =
    "Bonds: Markets opened higher on Monday as investors weighed fresh figures on inflation and "
    "the "
    "outlook for rates";

INSTANTIATE_TEST_SUITE_P(
    Table, FeedReading,
    testing::Values(
        FeedCase{"rss 2.0",
                 Rss("<item><title>First</title><link>http://a.example/1</link></item>"
                     "<item><title>Second</title><link>https://a.example/2</link></item>"),
                 FeedOutcome::Feed,
                 {{"First", "http://a.example/1"}, {"Second", "https://a.example/2"}}},
        FeedCase{"rss 0.91 with a doctype and comments",
                 "<!-- hi --><?xml-stylesheet href=\"s.css\"?><!DOCTYPE rss PUBLIC "
                 "\"-//Netscape Communications//DTD RSS 0.91//EN\" \"x.dtd\">\n"
                 "<rss version=\"0.91\"><channel><item><title>Old</title></item></channel></rss>",
                 FeedOutcome::Feed,
                 {{"Old", ""}}},
        FeedCase{"rss 1.0",
                 "<?xml version=\"1.0\"?><rdf:RDF "
                 "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
                 "xmlns=\"http://purl.org/rss/1.0/\"><channel><title>C</title></channel>"
                 "<item rdf:about=\"x\"><title>One</title><link>http://r.example/1</link></item>"
                 "</rdf:RDF>",
                 FeedOutcome::Feed,
                 {{"One", "http://r.example/1", std::nullopt, "x"}}},
        FeedCase{"atom alternate link after a self link",
                 "<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>F</title>"
                 "<entry><title type=\"html\">A &amp;amp; B &lt;i&gt;now&lt;/i&gt;</title>"
                 "<link rel=\"self\" href=\"http://x.example/self\"/>"
                 "<link rel=\"alternate\" href=\"http://x.example/a\"/></entry>"
                 "<entry><title>Plain</title><link href=\"/b\"/></entry></feed>",
                 FeedOutcome::Feed,
                 {{"A & B now", "http://x.example/a"}, {"Plain", "http://news.example/b"}}},
        FeedCase{"atom takes no related or enclosure link for the story",
                 "<feed xmlns=\"http://www.w3.org/2005/Atom\"><entry><title>R</title>"
                 "<link rel=\"related\" href=\"http://x.example/related\"/>"
                 "<link rel=\"enclosure\" href=\"http://x.example/a.mp3\"/></entry></feed>",
                 FeedOutcome::Feed,
                 {{"R", ""}}},
        FeedCase{"atom with a prefix",
                 "<a:feed xmlns:a=\"http://www.w3.org/2005/Atom\"><a:entry><a:title>P</a:title>"
                 "</a:entry></a:feed>",
                 FeedOutcome::Feed,
                 {{"P", ""}}},
        FeedCase{"entities cdata and markup in a title",
                 Rss("<item><title>Tom &amp; Jerry&#8217;s &#x2019;<![CDATA[ <b>big</b> ]]>\n"
                     "  <em>show</em>\t now</title></item>"),
                 FeedOutcome::Feed,
                 {{"Tom & Jerry\u2019s \u2019 big show now", ""}}},
        FeedCase{"missing title takes the description cut at a word",
                 Rss("<item><description>&lt;p&gt;" + kLong +
                     " &lt;/p&gt;</description></item>"
                     "<item><title> </title><description>Short</description></item>"),
                 FeedOutcome::Feed,
                 {{"Bonds: Markets opened higher on Monday as investors weighed fresh figures "
                   "on inflation and the",
                   ""},
                  {"Short", ""}}},
        FeedCase{"neither title nor description gives no line",
                 Rss("<item><link>http://a.example/1</link></item><item><title>B</title></item>"),
                 FeedOutcome::Feed,
                 {{"B", ""}}},
        FeedCase{
            "relative links against xml base and the feed address",
            Rss("<item><title>A</title><link>story/1.html</link></item>"
                "<item xml:base=\"/other/\"><title>B</title><link>../2.html</link></item>",
                " xml:base=\"http://base.example/news/\""),
            FeedOutcome::Feed,
            {{"A", "http://base.example/news/story/1.html"}, {"B", "http://base.example/2.html"}}},
        FeedCase{"relative link without xml base",
                 Rss("<item><title>A</title><link>item?id=4#top</link></item>"),
                 FeedOutcome::Feed,
                 {{"A", "http://news.example/feeds/item?id=4#top"}}},
        FeedCase{"guid permalink and a guid that is not one",
                 Rss("<item><title>A</title><guid>http://g.example/1</guid></item>"
                     "<item><title>B</title><guid isPermaLink=\"false\">http://g.example/2</guid>"
                     "</item>"),
                 FeedOutcome::Feed,
                 {{"A", "http://g.example/1", std::nullopt, "http://g.example/1"},
                  {"B", "", std::nullopt, "http://g.example/2"}}},
        FeedCase{"a guid is the id trimmed",
                 Rss("<item><title>A</title><guid isPermaLink=\"false\"> a1 </guid></item>"),
                 FeedOutcome::Feed,
                 {{"A", "", std::nullopt, "a1"}}},
        FeedCase{"an atom id is the id",
                 Atom("<entry><title>A</title><id>urn:a1</id></entry>"),
                 FeedOutcome::Feed,
                 {{"A", "", std::nullopt, "urn:a1"}}},
        FeedCase{"rss dates from pubDate",
                 Rss("<item><title>A</title>" + kPubDate + "</item>"),
                 FeedOutcome::Feed,
                 {{"A", "", kNov6}}},
        FeedCase{"rss dates from dublin core",
                 Rss("<item><title>A</title>" + kDcDate + "</item>", kDcSpace),
                 FeedOutcome::Feed,
                 {{"A", "", kDec8}}},
        FeedCase{"pubDate before dublin core unless it does not read",
                 Rss("<item><title>A</title>" + kDcDate + kPubDate +
                         "</item><item><title>B</title>"
                         "<pubDate>soon</pubDate>" +
                         kDcDate + "</item>",
                     kDcSpace),
                 FeedOutcome::Feed,
                 {{"A", "", kNov6}, {"B", "", kDec8}}},
        FeedCase{"atom dates from published",
                 Atom("<entry><title>A</title><published>2026-12-08T10:00:00Z</published></entry>"),
                 FeedOutcome::Feed,
                 {{"A", "", kDec8}}},
        FeedCase{"atom dates from updated",
                 Atom("<entry><title>A</title><updated>2026-12-08T10:00:00Z</updated></entry>"),
                 FeedOutcome::Feed,
                 {{"A", "", kDec8}}},
        FeedCase{"published before updated",
                 Atom("<entry><title>A</title><updated>2026-12-08T10:00:00Z</updated>"
                      "<published>1994-11-06T08:49:37Z</published></entry>"),
                 FeedOutcome::Feed,
                 {{"A", "", kNov6}}},
        FeedCase{"an empty link is none and leaves the guid",
                 Rss("<item><title>A</title><link> </link><guid>http://g.example/1</guid></item>"
                     "<item><title>B</title><link/></item>"),
                 FeedOutcome::Feed,
                 {{"A", "http://g.example/1", std::nullopt, "http://g.example/1"}, {"B", ""}}},
        FeedCase{"links other than http are dropped",
                 Rss("<item><title>A</title><link>javascript:alert(1)</link></item>"
                     "<item><title>B</title><link>file:///C:/x.exe</link>"
                     "<guid>mailto:a@b.example</guid></item>"
                     "<item><title>C</title><link>HTTPS://up.example/c</link></item>"),
                 FeedOutcome::Feed,
                 {{"A", ""},
                  {"B", "", std::nullopt, "mailto:a@b.example"},
                  {"C", "HTTPS://up.example/c"}}},
        FeedCase{"utf-8 with a mark",
                 "\xEF\xBB\xBF" + Rss("<item><title>Caf\xC3\xA9</title></item>"),
                 FeedOutcome::Feed,
                 {{"Caf\xC3\xA9", ""}}},
        FeedCase{"utf-16 with a mark",
                 Utf16LE("<?xml version=\"1.0\" encoding=\"UTF-16\"?><rss><channel><item>"
                         "<title>Wide</title></item></channel></rss>"),
                 FeedOutcome::Feed,
                 {{"Wide", ""}}},
        FeedCase{"iso-8859-1 declared",
                 "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss><channel><item><title>"
                 "Caf\xE9 \x92</title></item></channel></rss>",
                 FeedOutcome::Feed,
                 {{"Caf\xC3\xA9", ""}}},  // 0x92 is the control character U+0092 there
        FeedCase{"control characters and separators by reference",
                 Rss("<item><title>a&#133;b&#x2028;c&#x9F;&#x2029;d</title></item>"),
                 FeedOutcome::Feed,
                 {{"a b c d", ""}}},
        FeedCase{"windows-1252 declared",
                 "<?xml version='1.0' encoding='windows-1252'?><rss><channel><item><title>"
                 "Caf\xE9 \x92\x80</title></item></channel></rss>",
                 FeedOutcome::Feed,
                 {{"Caf\xC3\xA9 \u2019\u20AC", ""}}},
        FeedCase{"the server's charset without a declaration",
                 "<rss><channel><item><title>Caf\xE9</title></item></channel></rss>",
                 FeedOutcome::Feed,
                 {{"Caf\xC3\xA9", ""}},
                 TextEncoding{Kind::CodePage, 28591, 0}},
        FeedCase{"an encoding without a table",
                 "<?xml version=\"1.0\" encoding=\"koi8-r\"?><rss/>",
                 FeedOutcome::Broken,
                 {}},
        FeedCase{"atom text is decoded once and keeps its angle brackets",
                 Atom("<entry><title>History of the &lt;blink&gt; tag</title></entry>"
                      "<entry><title type=\"text\">Tom &amp;amp; Jerry</title></entry>"),
                 FeedOutcome::Feed,
                 {{"History of the <blink> tag", ""}, {"Tom &amp; Jerry", ""}}},
        FeedCase{"atom html has its markup stripped and then its references decoded",
                 Atom("<entry><title type=\"html\">&lt;b&gt;Caf&amp;eacute;&lt;/b&gt; "
                      "&amp;lt;br&amp;gt;</title></entry>"),
                 FeedOutcome::Feed,
                 {{"Caf\u00E9 <br>", ""}}},
        FeedCase{"atom xhtml gives the text of its div",
                 Atom("<entry><title type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\">"
                      "A <b>bold</b> &lt;move&gt;</div></title></entry>"),
                 FeedOutcome::Feed,
                 {{"A bold <move>", ""}}},
        FeedCase{
            "rss titles and descriptions are html however they are escaped",
            Rss("<item><title>Tom &amp;amp; Jerry</title></item>"
                "<item><title><![CDATA[Tom &amp; Jerry]]></title></item>"
                "<item><title>Tom &amp; Jerry</title></item>"
                "<item><description>&lt;p&gt;Caf&amp;eacute;&lt;/p&gt;</description></item>"),
            FeedOutcome::Feed,
            {{"Tom & Jerry", ""}, {"Tom & Jerry", ""}, {"Tom & Jerry", ""}, {"Caf\u00E9", ""}}},
        FeedCase{
            "html's named references decimal and hex while unknown names stay",
            Rss("<item><title><![CDATA[&rsquo;&mdash;&eacute; &CounterClockwiseContourIntegral;"
                " &NotEqualTilde; &#8217;&#x2019; &bogus; &amp]]></title></item>"),
            FeedOutcome::Feed,
            {{"\u2019\u2014\u00E9 \u2233 \u2242\u0338 \u2019\u2019 &bogus; &amp", ""}}},
        FeedCase{"control characters an html reference makes collapse as blanks",
                 Rss("<item><title><![CDATA[a&#1;b&#x9D;c &#x2028; d]]></title></item>"),
                 FeedOutcome::Feed,
                 {{"a b c d", ""}}},
        FeedCase{"an rss title's escaped reference to 150 is windows-1252's en dash",
                 Rss("<item><title>9&amp;#150;5</title></item>"),
                 FeedOutcome::Feed,
                 {{"9\u20135", ""}}},
        FeedCase{"atom text shows a reference to 150 as written and atom html reads it",
                 Atom("<entry><title type=\"text\">9&amp;#150;5</title></entry>"
                      "<entry><title type=\"html\">9&amp;#150;5</title></entry>"),
                 FeedOutcome::Feed,
                 {{"9&#150;5", ""}, {"9\u20135", ""}}},
        FeedCase{
            "titles fall back to dublin core then media and texts in their order",
            "<rss xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
            "xmlns:media=\"http://search.yahoo.com/mrss/\" "
            "xmlns:content=\"http://purl.org/rss/1.0/modules/content/\" "
            "xmlns:itunes=\"http://www.itunes.com/dtds/podcast-1.0.dtd\"><channel>"
            "<item><media:title>M</media:title><title> </title><dc:title>D</dc:title></item>"
            "<item><media:title>M &amp;amp; m</media:title></item>"
            "<item><itunes:summary>I</itunes:summary><dc:description>DD</dc:description></item>"
            "<item><itunes:summary>I</itunes:summary><content:encoded><![CDATA[<p>C</p>]]>"
            "</content:encoded></item>"
            "<item><content:encoded>C</content:encoded><description>R</description></item>"
            "<item><itunes:summary>I &lt;3</itunes:summary></item></channel></rss>",
            FeedOutcome::Feed,
            {{"D", ""}, {"M &amp; m", ""}, {"DD", ""}, {"C", ""}, {"R", ""}, {"I <3", ""}}},
        FeedCase{"atom entries fall back to their summary then their content",
                 Atom("<entry><content type=\"html\">&lt;p&gt;Body&lt;/p&gt;</content></entry>"
                      "<entry><content>C</content><summary>S</summary></entry>"),
                 FeedOutcome::Feed,
                 {{"Body", ""}, {"S", ""}}},
        FeedCase{
            "rss 1.0 and rss 2.0 under prefixes and dublin core by its uri",
            "<R:RDF xmlns:R=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
            "xmlns:r=\"http://purl.org/rss/1.0/\" xmlns:d=\"http://purl.org/dc/elements/1.1/\">"
            "<r:channel/><r:item><r:title>One</r:title><r:link>http://r.example/1</r:link>"
            "</r:item><r:item><d:title>Two</d:title></r:item>"
            "<r:item><dc:title xmlns:dc=\"urn:not-dublin-core\">No</dc:title></r:item>"
            "<item><title>Three</title></item></R:RDF>",
            FeedOutcome::Feed,
            {{"One", "http://r.example/1"}, {"Two", ""}, {"Three", ""}}},
        FeedCase{"rss 2.0 whose elements carry a prefix",
                 "<x:rss xmlns:x=\"http://purl.org/rss/1.0/\" version=\"2.0\"><x:channel>"
                 "<x:item><x:title>T</x:title><x:link>http://t.example/</x:link></x:item>"
                 "<y:item xmlns:y=\"urn:other\"><y:title>No</y:title></y:item></x:channel></x:rss>",
                 FeedOutcome::Feed,
                 {{"T", "http://t.example/"}}},
        FeedCase{"rss 2.0 whose root declares a default namespace",
                 "<rss version=\"2.0\" xmlns=\"http://backend.userland.com/rss2\"><channel>"
                 "<item><title>Userland</title><link>http://u.example/1</link></item>"
                 "</channel></rss>",
                 FeedOutcome::Feed,
                 {{"Userland", "http://u.example/1"}}},
        FeedCase{"a bare ampersand and html names are repaired once and counted",
                 "<!-- say \"a & b --><rss><channel><item><title>AT&T&rsquo;s&nbsp;plan &amp; "
                 "<![CDATA[x's & y]]> &bogus;</title><link>http://a.example/?a=1&b=2</link></item>"
                 "</channel></rss>",
                 FeedOutcome::Feed,
                 {{"AT&T\u2019s\u00A0plan & x's & y &bogus;", "http://a.example/?a=1&b=2"}},
                 std::nullopt,
                 4},
        FeedCase{"an atom text with an html name",
                 Atom("<entry><title>Caf&eacute; &lt;b&gt;</title></entry>"),
                 FeedOutcome::Feed,
                 {{"Caf\u00E9 <b>", ""}},
                 std::nullopt,
                 1},
        FeedCase{"a cut-off feed stays broken after its repairs",
                 "<rss><channel><item><title>A & B&nbsp;",
                 FeedOutcome::Broken,
                 {}},
        FeedCase{"a text that starts with markup",
                 "<b>Breaking</b> news\r\n<rss> is a feed\r\n",
                 FeedOutcome::NotFeed,
                 {}},
        FeedCase{"feed outside the atom namespace",
                 "<feed><entry><title>x</title></entry></feed>",
                 FeedOutcome::NotFeed,
                 {}},
        FeedCase{"plain text", "rss news\n", FeedOutcome::NotFeed, {}},
        FeedCase{"a well-formed feed without items", Rss(""), FeedOutcome::Feed, {}},
        FeedCase{"malformed", Rss("<item><title>A</item>"), FeedOutcome::Broken, {}},
        FeedCase{"cut off", "<rss><channel><item><title>A", FeedOutcome::Broken, {}},
        FeedCase{"billion laughs", BillionLaughs(), FeedOutcome::Feed, {{"a &lol9; b &ext;", ""}}},
        FeedCase{"deep nesting",
                 Rss("<item><title>deep " + Repeat("<b>", 100000) + "down" +
                     Repeat("</b>", 100000) + "</title></item>"),
                 FeedOutcome::Feed,
                 {{"deep down", ""}}},
        FeedCase{"a lone < before a tag",
                 Rss("<item><title>1 &lt; 2 &lt;b&gt;x&lt;/b&gt;</title></item>"),
                 FeedOutcome::Feed,
                 {{"1 < 2 x", ""}}},
        FeedCase{"a reference is looked for up to ten characters after its ampersand",
                 Rss("<item><description>&amp;#00000065; &amp;#000000065;</description></item>"),
                 FeedOutcome::Feed,
                 {{"A &#000000065;", ""}}},
        // Five more: rss, its version, channel, title and its text.
        FeedCase{"as many records as the parser may make",
                 Rss(Repeat("<a/>", kMostFeedNodes - 5)),
                 FeedOutcome::Feed,
                 {}},
        FeedCase{"deep nesting never closed",
                 Rss("<item><title>" + Repeat("<b>", 100000)),
                 FeedOutcome::Broken,
                 {}}),
    testing_names::FromWhat());

TEST(FeedReading, TellsWhereABrokenFeedFails) {
  const std::string bytes = "<rss><channel><item><title>A</item></channel></rss>";
  const core::FeedReading reading = ReadFeed(bytes, std::nullopt, kAddress);
  ASSERT_EQ(reading.outcome, FeedOutcome::Broken);
  EXPECT_FALSE(reading.error.empty());
  EXPECT_EQ(reading.errorOffset, bytes.find("</item>") + 2);
}

TEST(FeedReading, LeavesCodePagesWithoutATableToTheSystem) {
  const std::string bytes =
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?><rss><channel><item><title>\xCF"
      "</title></item></channel></rss>";
  EXPECT_EQ(ReadFeed(bytes, std::nullopt, kAddress).outcome, FeedOutcome::Broken);
  unsigned asked = 0;
  const CodePageToUtf8 system = [&](std::string_view, unsigned codePage) {
    asked = codePage;
    return std::optional<std::string>(
        "<rss><channel><item><title>\xD0\x9F</title></item></channel></rss>");
  };
  const core::FeedReading reading = ReadFeed(bytes, std::nullopt, kAddress, system);
  EXPECT_EQ(asked, 1251u);
  EXPECT_EQ(reading.items, (std::vector<FeedItem>{{"\xD0\x9F", ""}}));
}

std::string Utf16LeMarked(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

struct OffsetCase {
  const char* what;
  std::string bytes;
  std::size_t offset;  // of the end tag's name in `bytes`
  std::optional<TextEncoding> charset = std::nullopt;
  std::string error = "";
};

// The system's conversion, as Latin-1.
std::optional<std::string> SystemStandIn(std::string_view bytes, unsigned) {
  return SingleByteToUtf8(bytes, TextEncoding{Kind::CodePage, 28591, 0});
}

class BrokenFeedOffset : public testing::TestWithParam<OffsetCase> {};

TEST_P(BrokenFeedOffset, CountsTheBytesAsTheyCameNotAsTheyWereConverted) {
  const core::FeedReading reading =
      ReadFeed(GetParam().bytes, GetParam().charset, kAddress, SystemStandIn);
  ASSERT_EQ(reading.outcome, FeedOutcome::Broken);
  EXPECT_EQ(reading.errorOffset, GetParam().offset);
  if (!GetParam().error.empty()) {
    EXPECT_EQ(reading.error, GetParam().error);
  }
}

const std::string kLatin1Broken =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss><channel><item><title>\xE9\xE9\xE9"
    "</item></channel></rss>";
const std::string kCp1252Broken = "<rss><channel><item><title>\x80\x80</item></channel></rss>";
const std::u16string kUtf16Broken = u"<rss><channel><item><title>\u00E9\U0001F600</item></rss>";
// The parser rewrites references and line ends in place, before it finds the fault.
const std::string kLatin1Rewritten =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss><channel><item><title>&amp;&#233;\r\n"
    "\xE9&lt;\xE9</item></channel></rss>";
const std::u16string kUtf16Rewritten =
    u"<rss><channel><item><title>&amp;&#x1F600;\r\n\u00E9&lt;\u00E9</item></rss>";
const std::string kCp1251Broken =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?><rss><channel><item><title>\xCF&amp;\xCF"
    "</item></channel></rss>";
const std::string kOneRecordTooMany = Rss(Repeat("<a/>", kMostFeedNodes - 4));

INSTANTIATE_TEST_SUITE_P(
    Table, BrokenFeedOffset,
    testing::Values(
        OffsetCase{"declared latin1", kLatin1Broken, kLatin1Broken.find("</item>") + 2},
        OffsetCase{"windows-1252 by the server's charset", kCp1252Broken,
                   kCp1252Broken.find("</item>") + 2, TextEncoding{Kind::CodePage, 1252, 0}},
        OffsetCase{"utf-16 with a character beyond the plane", Utf16LeMarked(kUtf16Broken),
                   2 + 2 * (kUtf16Broken.find(u"</item>") + 2)},
        OffsetCase{"latin1 with references before the fault", kLatin1Rewritten,
                   kLatin1Rewritten.find("</item>") + 2},
        OffsetCase{"utf-16 with references before the fault", Utf16LeMarked(kUtf16Rewritten),
                   2 + 2 * (kUtf16Rewritten.find(u"</item>") + 2)},
        OffsetCase{"a code page the system converts", kCp1251Broken,
                   kCp1251Broken.find("</item>") + 2},
        OffsetCase{"the record beyond the most a feed may have", kOneRecordTooMany,
                   kOneRecordTooMany.rfind("<a/>"), std::nullopt,
                   "more than 200000 elements, attributes and texts"}),
    testing_names::FromWhat());

struct CutCase {
  const char* what;
  std::string text;
  std::size_t limit;
  std::string cut;
};

void PrintTo(const CutCase& row, std::ostream* out) {
  *out << row.what;
}

class CutAtWordTest : public testing::TestWithParam<CutCase> {};

TEST_P(CutAtWordTest, KeepsWholeWords) {
  EXPECT_EQ(CutAtWord(GetParam().text, GetParam().limit), GetParam().cut);
}

INSTANTIATE_TEST_SUITE_P(Table, CutAtWordTest,
                         testing::Values(CutCase{"short", "a b", 10, "a b"},
                                         CutCase{"exact", "abc de", 6, "abc de"},
                                         CutCase{"in a word", "abc defgh", 6, "abc"},
                                         CutCase{"at a blank", "abc defgh", 3, "abc"},
                                         CutCase{"one long word", "abcdefgh", 4, "abcd"},
                                         CutCase{"counts characters not bytes",
                                                 "\xC3\xA9\xC3\xA9 b", 3, "\xC3\xA9\xC3\xA9"}),
                         testing_names::FromWhat());

}  // namespace
}  // namespace core
