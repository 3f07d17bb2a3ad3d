#include "core/sources/Opml.h"

#include <gtest/gtest.h>

#include <string>

#include "TestNames.h"

namespace core {
namespace {

std::string Outline(const std::string& attributes, const std::string& inside = {}) {
  return "<outline " + attributes + (inside.empty() ? "/>" : ">" + inside + "</outline>");
}

std::string Opml(const std::string& body, const std::string& declaration = "") {
  return declaration + "<opml version=\"2.0\"><head/><body>" + body + "</body></opml>";
}

std::string Many(int count) {
  std::string body;
  for (int i = 0; i < count; ++i) body += Outline("xmlUrl=\"http://h/" + std::to_string(i) + "\"");
  return Opml(body);
}

// "name=address;" per source, then the counts of the rest.
std::string Summary(const OpmlReading& reading) {
  std::string text;
  for (const SourceEntry& s : reading.sources) text += s.name + "=" + s.address + ";";
  if (reading.sources.size() > 3) text = std::to_string(reading.sources.size()) + " sources;";
  if (reading.ignored > 0) text += " ignored " + std::to_string(reading.ignored);
  for (const std::string& name : reading.nested) text += " nested " + name;
  if (reading.outcome == OpmlOutcome::Broken)
    text += "broken at " + std::to_string(reading.errorOffset) + ": " + reading.error;
  if (reading.outcome == OpmlOutcome::NotOpml) text += "not a list";
  return text;
}

struct OpmlCase {
  const char* what;
  std::string document;
  std::string summary;
};

class ReadsOpml : public testing::TestWithParam<OpmlCase> {};

TEST_P(ReadsOpml, AsSourcesInDocumentOrder) {
  EXPECT_EQ(Summary(ReadOpml(GetParam().document)), GetParam().summary);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Opml, ReadsOpml, testing::Values(
    OpmlCase{"Nested outlines are flattened in document order",
             Opml(Outline("text=\"News\"", Outline("text=\"A\" xmlUrl=\"http://a/\"") +
                  Outline("text=\"Deep\"", Outline("text=\"B\" xmlUrl=\"http://b/\""))) +
                  Outline("text=\"C\" xmlUrl=\"http://c/\"")),
             "A=http://a/;B=http://b/;C=http://c/;"},
    OpmlCase{"A name is the text else the title else the address's host",
             Opml(Outline("title=\"T\" text=\" X \" xmlUrl=\"http://x/\"") +
                  Outline("title=\"T\" xmlUrl=\"http://t/\"") + Outline("xmlUrl=\" http://u/ \"")),
             "X=http://x/;T=http://t/;u=http://u/;"},
    OpmlCase{"Without xmlUrl a url is the address and without either no source",
             Opml(Outline("text=\"File\" url=\"C:\\news.txt\"") + Outline("text=\"Note\"")),
             "File=C:\\news.txt;"},
    OpmlCase{"Over a hundred the rest is ignored and counted", Many(103),
             "100 sources; ignored 3"},
    OpmlCase{"An outline of another list is named and not followed",
             Opml(Outline("text=\"Inc\" type=\"include\" url=\"http://i/\"") +
                  Outline("text=\"More\" xmlUrl=\"http://m/more.OPML\"")),
             " nested Inc nested More"},
    OpmlCase{"A declared code page is read as such",
             Opml(Outline("text=\"Caf\xE9\" xmlUrl=\"http://c/\""),
                  "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"),
             "Caf\xC3\xA9=http://c/;"},
    OpmlCase{"A broken list says where", "<opml><body><outline text=\"a\"></body></opml>",
             "broken at 32: Start-end tags mismatch"},
    OpmlCase{"A list larger than 16 MB is refused unread",
             Opml(std::string(kLargestList + 1 - Opml("").size(), ' ')),
             "broken at 0: larger than 16 MB"},
    OpmlCase{"Another root is no list", "<rss><channel/></rss>", "not a list"}),
    testing_names::FromWhat());
// clang-format on

TEST(WriteOpml, GivesBackWhatItWasGiven) {
  const std::vector<SourceEntry> sources{{"A & \"B\"", "http://a/?x=1&y=2"}, {"File", "C:\\n.txt"}};
  const std::string written = WriteOpml(sources, "Driftline");
  EXPECT_NE(written.find("\"A &amp; &quot;B&quot;\""), std::string::npos) << written;
  EXPECT_EQ(ReadOpml(written).sources, sources);
}

}  // namespace
}  // namespace core
