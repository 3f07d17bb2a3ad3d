#include "core/settings/IniText.h"

#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace core {
namespace {

using namespace std::string_literals;

std::string ValueIn(std::string_view text, std::string_view name) {
  for (const IniEntry& entry : ReadIniSection(text, "Settings")) {
    if (SameName(entry.name, name)) return entry.value;
  }
  return "<absent>";
}

std::string Merged(std::string_view text, std::string name, std::string value) {
  const IniEntry entry[] = {{std::move(name), std::move(value)}};
  return MergeIniSection(text, "Settings", entry);
}

TEST(IniText, SaveKeepsForeignSectionsNamesCommentsAndBlankLines) {
  ValueTable table;
  table.Set("Top", Value{5});
  table.Set("Frame", Value{true});
  const IniWrite written = WriteIniValues(
      "; by hand\n[Window]\nLeft=10\n\n[settings]\nTop=1\nCustom = keep me\n\n[Other]\r\nTop=9\r",
      "Settings", table);
  EXPECT_EQ(written.text,
            "; by hand\r\n[Window]\r\nLeft=10\r\n\r\n[settings]\r\nTop=5\r\nCustom = keep me\r\n"
            "Frame=1\r\n\r\n[Other]\r\nTop=9\r\n");

  table.Set("Custom", Value{""s});
  table.Set("Top", Value{0});
  ReadIniValues(written.text, "SETTINGS", table);
  EXPECT_EQ(*table.Find("Top"), Value{5});
  EXPECT_EQ(*table.Find("Custom"), Value{"keep me"s});

  EXPECT_EQ(Merged("", "Top", "5"), "[Settings]\r\nTop=5\r\n");
  EXPECT_EQ(Merged("Top=9", "Top", "5"), "Top=9\r\n\r\n[Settings]\r\nTop=5\r\n");
  EXPECT_EQ(ValueIn("Top=9", "Top"), "<absent>");  // names before any section belong to none
}

TEST(IniText, FirstOfDuplicateNamesWinsAndSaveDropsTheShadowedOnes) {
  const std::string file = "[Settings]\nTop=1\ntop=2\n[X]\nTop=0\n[SETTINGS]\nTop=3\nLeft=4\n";
  EXPECT_EQ(ValueIn(file, "Top"), "1");
  const IniEntry entries[] = {{"Top", "5"}, {"Left", "6"}};
  EXPECT_EQ(MergeIniSection(file, "Settings", entries),
            "[Settings]\r\nTop=5\r\n[X]\r\nTop=0\r\n[SETTINGS]\r\nLeft=6\r\n");
}

TEST(IniText, HostileTextIsReadSafelyAndItsForeignBytesAreKept) {
  const std::string longLine(std::size_t{100} * 1024, 'x');
  const std::string foreign = "Bin=\0\xFF\x80 \x01"s;
  const std::string file =
      "\xEF\xBB\xBF[Settings]\r" + longLine + "\n" + foreign + "\r\nCut=ab\0cd\nHigh= \xE9\xFF "s;
  const std::string merged = Merged(file, "Long", longLine);
  // Booleans, so that a failure does not print 100 KB.
  EXPECT_TRUE(
      merged.starts_with("\xEF\xBB\xBF[Settings]\r\n" + longLine + "\r\n" + foreign + "\r\n"));
  EXPECT_TRUE(merged.ends_with("\nHigh= \xE9\xFF \r\nLong=" + longLine + "\r\n"));
  EXPECT_TRUE(ValueIn(merged, "Long") == longLine);
  EXPECT_EQ(ValueIn(merged, "Cut"), "ab");  // a NUL ends a value, as it does for the system
  EXPECT_EQ(ValueIn(merged, "High"), "\xE9\xFF");
}

TEST(IniText, AnyTextTakesTheSettingsAndReadsThemBack) {
  const std::vector<std::string> pieces = {"[Settings]", "[settings", "[Other]", "]",  "Top",
                                           "=",          " ",         "\r",      "\n", "\0"s,
                                           ";",          "\"",        "\xFF"};
  std::mt19937 random(4);
  const IniEntry entries[] = {{"Top", "5"}, {"FontName", " MS Sans Serif "}};
  for (int round = 0; round < 500; ++round) {
    std::string file;
    for (auto i = random() % 60; i > 0; --i) file += pieces[random() % pieces.size()];
    const std::string merged = MergeIniSection(file, "Settings", entries);
    ASSERT_EQ(ValueIn(merged, "Top"), "5") << ::testing::PrintToString(file);
    ASSERT_EQ(ValueIn(merged, "FontName"), " MS Sans Serif ") << ::testing::PrintToString(file);
  }
}

TEST(IniText, QuotesKeepBlanksAndQuotesOfAValue) {
  for (const std::string& text : {" lead"s, "trail "s, "\"quoted\""s, "\""s, ""s, "a \"b\" c"s}) {
    EXPECT_EQ(ValueIn(Merged("", "CommentStr", text), "CommentStr"), text) << text;
  }
  EXPECT_EQ(ValueIn("[Settings]\nFontName = \"Arial\" \n", "FontName"), "Arial");
}

TEST(IniText, RefusesWhatWouldNotReadBackUnchanged) {
  ValueTable table;
  table.Set("Bad=Name", Value{1});
  table.Set("Top", Value{5});
  table.Set("CommentStr", Value{"x\r\n[Evil]\r\nTop=666"s});
  table.Set("Ratio", Value{std::numeric_limits<double>::infinity()});
  const IniWrite written = WriteIniValues("", "Settings", table);
  EXPECT_EQ(written.unwritten, (std::vector<std::string>{"Bad=Name", "CommentStr", "Ratio"}));
  EXPECT_EQ(written.text, "[Settings]\r\nTop=5\r\n");
}

}  // namespace
}  // namespace core
