#include "core/sources/SourceLines.h"

#include "core/feed/LinkHitTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestNames.h"
#include "core/text/TextDecoding.h"

namespace core {
namespace {

struct Source {
  std::string name;  // UTF-8, as a list has it
  std::u16string text;
  std::vector<std::string> links;  // a feed's, one per line; none: a plain text
};

struct MergeCase {
  const char* what;
  std::vector<Source> sources;
  SourceNames names;
  int firstLines;        // LinesToLoad with LoadFirstLines; 0: the whole text
  std::u16string shown;  // each line with " -> " and its story's address when it has one
};

class MergesSources : public testing::TestWithParam<MergeCase> {};

TEST_P(MergesSources, InListOrderBehindTheirNames) {
  const MergeCase& c = GetParam();
  TextOptions options;
  options.loadFirstLines = c.firstLines > 0;
  options.linesToLoad = c.firstLines;
  std::vector<TextLines> kept;
  for (const Source& source : c.sources) {
    TextLines read(source.text);
    if (!source.links.empty()) read.SetLinks(source.links);
    kept.push_back(SelectedLines(std::move(read), options));
  }
  std::vector<SourceGroup> groups;
  for (std::size_t i = 0; i < kept.size(); ++i) groups.push_back({c.sources[i].name, &kept[i]});
  TextLines merged = MergeSourceLines(groups, c.names);
  std::u16string shown;
  for (const std::u16string_view line : merged.Lines()) {
    const std::string link(merged.LinkOf(line));
    shown.append(line).append(link.empty() ? u"" : u" -> " + Utf16OfUtf8(link)) += u'|';
  }
  EXPECT_EQ(shown, c.shown);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sources, MergesSources, testing::Values(
    MergeCase{"Each group starts with its name", {{"A", u"a1\na2\n", {}}, {"B", u"b1\n", {}}},
              SourceNames::Shown, 0, u"A: a1|a2|B: b1|"},
    MergeCase{"Names hidden shows the lines alone", {{"A", u"a1\n", {}}, {"B", u"b1\n", {}}},
              SourceNames::Hidden, 0, u"a1|b1|"},
    MergeCase{"Each source keeps its own first lines", {{"A", u"a1\na2\n", {}}, {"B", u"b1\nb2\n", {}}},
              SourceNames::Shown, 1, u"A: a1|B: b1|"},
    MergeCase{"A source without lines shows not even its name", {{"A", u"", {}}, {"B", u"b1\n", {}}},
              SourceNames::Shown, 0, u"B: b1|"},
    MergeCase{"Headlines keep their stories and texts their addresses",
              {{"F", u"h1\nh2\n", {"http://f/1", ""}}, {"T", u"see http://t/x now\n", {}}},
              SourceNames::Shown, 0, u"F: h1 -> http://f/1|h2|T: see http://t/x now -> http://t/x|"},
    MergeCase{"A line break in a name stays on the line", {{"A\r\nB", u"x\n", {}}},
              SourceNames::Shown, 0, u"A  B: x|"}),
    testing_names::FromWhat());
// clang-format on

// Whole lines up to the bound, each line's end counted; what is left out is said.
TEST(MergedSources, KeepWholeLinesWithinTheirBound) {
  bool cut[4] = {};
  TextLines fits = SelectedLines(TextLines(u"aa\nbb\n"), {}, 6, &cut[0]);
  TextLines over = SelectedLines(TextLines(u"aa\nbb\ncc\n"), {}, 8, &cut[1]);
  const std::vector<SourceGroup> groups{{"A", &fits, &cut[2]}, {"B", &over, &cut[3]}};
  // "A: aa\nbb\n" is 9 units, "B: aa\n" 6 more.
  TextLines merged = MergeSourceLines(groups, SourceNames::Shown, {}, 14);
  EXPECT_EQ(std::to_string(fits.Lines().size()) + std::to_string(over.Lines().size()) +
                std::to_string(merged.Lines().size()) + std::to_string(cut[0]) +
                std::to_string(cut[1]) + std::to_string(cut[2]) + std::to_string(cut[3]),
            "2220101");
}

TEST(MergedSources, TheSeparatorAfterAHeadlineOpensNothing) {
  TextLines read(u"h1 +++\n");
  read.SetLinks({"http://f/1"}, u" +++");
  TextLines kept = SelectedLines(std::move(read), {});
  const std::vector<SourceGroup> groups{{"F", &kept}};
  TextLines merged = MergeSourceLines(groups, SourceNames::Shown, u" +++");
  const std::u16string_view line = merged.Lines()[0];
  EXPECT_EQ(merged.LinkOf(line.substr(0, 4)), "http://f/1");
  EXPECT_EQ(merged.LinkOf(line.substr(line.size() - 2)), "");
}

}  // namespace
}  // namespace core

namespace core {
namespace {

// The way of a headline from reader to screen: what the feed said of it stays with its line
// through the selection and the merge, and the table of the shown lines finds it by position.
TEST(ItemsOfSources, KeepTheirSourceDateAndIdFromTheReaderToTheShownText) {
  TextLines partly(u"f1\nno item\n");
  partly.SetItems({{"", "http://s/1", 100, "g1"}, {}});
  EXPECT_EQ(partly.ItemOf(partly.Lines().at(1)), nullptr) << "not the item of the line before";
  TextLines feed(u"f1\nf2\n");
  feed.SetItems({{"", "http://s/1", 100, "g1"}, {"", "http://s/2", 200, "g2"}});
  TextLines plain(u"p1\n");
  std::vector<TextLines> kept;
  kept.push_back(SelectedLines(std::move(feed), TextOptions{}));
  kept.push_back(SelectedLines(std::move(plain), TextOptions{}));
  const std::vector<SourceGroup> groups{{"Feed", &kept[0]}, {"Text", &kept[1]}};
  TextLines merged = MergeSourceLines(groups, SourceNames::Shown);
  const ItemTable table(merged.Lines(), [&](std::u16string_view line) {
    return ItemTable::LineLink{merged.LinkOf(line), merged.LinkedSize(line), merged.ItemOf(line)};
  });
  // Joined "Feed: f1 f2 Text: p1": f2 at 9 and 10, the blank after it at 11.
  const ItemFacts* second = table.ItemAtPosition(10);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(*second, (ItemFacts{"Feed", "http://s/2", 200, "g2"}));
  EXPECT_EQ(table.ItemAtPosition(11), nullptr);
  ASSERT_NE(table.ItemOfPiece(merged.Lines().at(2)), nullptr);
  EXPECT_EQ(table.ItemOfPiece(merged.Lines().at(2))->source, "Text");
}

}  // namespace
}  // namespace core
