#include "core/feed/LinkHitTest.h"

#include <gtest/gtest.h>

#include "TestNames.h"

#include <string>
#include <vector>

#include "core/marquee/MarqueeAnimation.h"
#include "core/text/TextLines.h"
#include "core/text/TextPipeline.h"

namespace core {
namespace {

// Every character 10 pixels wide.
class TenPixels : public TextMeasurer {
 public:
  int Width(std::u16string_view text) override { return 10 * static_cast<int>(text.size()); }
  int Height(std::u16string_view) override { return 16; }
};

enum class Source { Feed, SeparatedFeed, PlainText };

// Joined: "Alpha+ Beta+ Gamma+ ", positions 0-5, 7-11 and 13-18; blanks at 6, 12 and 19.
TextLines ShownLines(Source source) {
  if (source == Source::PlainText) {
    return TextLines(u"Alpha+\nBeta+\nhttp://g.example/3,\n");
  }
  TextLines lines(u"Alpha+\nBeta+\nGamma+\n");
  lines.SetLinks({"http://a.example/1", "", "http://g.example/3"},
                 source == Source::SeparatedFeed ? u"+" : u"");
  return lines;
}

constexpr const char* kNoCharacter = "<no character>";
constexpr const char* kBetweenLines = "<between lines>";

struct HitCase {
  const char* what;
  Source source;
  bool continuous;
  int ticks;  // at width 100, 10 pixels a step
  int x;
  std::string link;
};

void PrintTo(const HitCase& row, std::ostream* out) {
  *out << row.what;
}

class LinkHit : public testing::TestWithParam<HitCase> {};

TEST_P(LinkHit, FindsTheLineUnderTheCursor) {
  const HitCase& row = GetParam();
  TextLines lines = ShownLines(row.source);
  MarqueeAnimation animation;
  animation.SetClientWidth(100);
  animation.SetScrollAmount(10);
  animation.SetContinuous(row.continuous);
  animation.SetText(BuildText(lines, TextOptions{}));
  TenPixels measurer;
  for (int tick = 0; tick < row.ticks; ++tick) animation.Tick(measurer);

  const ItemTable table(lines.Lines(), [&](std::u16string_view line) {
    return ItemTable::LineLink{lines.LinkOf(line), lines.LinkedSize(line)};
  });
  std::string link = kNoCharacter;
  if (const auto position = animation.TextPositionAt(measurer, row.x)) {
    const auto index = LineAtTextPosition(lines.Lines(), *position);
    link = index ? std::string(table.AtPosition(*position)) : kBetweenLines;
  }
  EXPECT_EQ(link, row.link);
  EXPECT_EQ(table.TextSize(), animation.Text().size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LinkHit,
    testing::Values(HitCase{"first character", Source::Feed, true, 10, 5, "http://a.example/1"},
                    HitCase{"last character of a line", Source::Feed, true, 10, 55,
                            "http://a.example/1"},
                    HitCase{"blank between lines", Source::Feed, true, 10, 65, kBetweenLines},
                    HitCase{"separator after a headline", Source::SeparatedFeed, true, 10, 55, ""},
                    HitCase{"line without a link", Source::Feed, true, 10, 75, ""},
                    HitCase{"third line", Source::Feed, true, 20, 35, "http://g.example/3"},
                    HitCase{"gap between repetitions", Source::Feed, true, 20, 95, kBetweenLines},
                    HitCase{"the repeated text", Source::Feed, true, 25, 55, "http://a.example/1"},
                    HitCase{"past the text's end", Source::Feed, false, 25, 60, kNoCharacter},
                    HitCase{"left of the entering text", Source::Feed, true, 1, 50, kNoCharacter},
                    HitCase{"still picture before the first tick", Source::Feed, true, 0, 5,
                            "http://a.example/1"},
                    HitCase{"right of the still picture", Source::Feed, true, 0, 250, kNoCharacter},
                    HitCase{"plain text without an address", Source::PlainText, true, 10, 5, ""},
                    HitCase{"plain text address without its comma", Source::PlainText, true, 20, 35,
                            "http://g.example/3"},
                    HitCase{"plain text line's last character", Source::PlainText, true, 35, 65,
                            "http://g.example/3"}),
    testing_names::FromWhat());

TEST(LinkOfPiece, AWrappedPieceBelongsToItsWholeLine) {
  TextLines lines(u"news: read more at https://p.example/st\u00F6ry today\nother\n");
  const std::u16string_view first = lines.Lines()[0];
  EXPECT_EQ(lines.LinkOf(first.substr(0, 5)), "https://p.example/st\xC3\xB6ry");
  EXPECT_EQ(lines.LinkOf(lines.Lines()[1]), "");
  EXPECT_EQ(lines.LinkOf(u"elsewhere"), "");
  const ItemTable table(lines.Lines(), [&](std::u16string_view line) {
    return ItemTable::LineLink{lines.LinkOf(line), lines.LinkedSize(line)};
  });
  EXPECT_EQ(table.OfPiece(first.substr(0, 5)), "https://p.example/st\xC3\xB6ry");
  EXPECT_EQ(table.OfPiece(lines.Lines()[1]), "");
  EXPECT_EQ(table.OfPiece(u"elsewhere"), "");
}

TEST(LinkOfPiece, TheSeparatorAfterAHeadlineAndAControlCharacterOpenNothing) {
  TextLines lines(ShownLines(Source::SeparatedFeed));
  const std::u16string_view alpha = lines.Lines()[0];
  const ItemTable table(lines.Lines(), [&](std::u16string_view line) {
    return ItemTable::LineLink{lines.LinkOf(line), lines.LinkedSize(line)};
  });
  EXPECT_EQ(table.OfPiece(alpha.substr(4)), "http://a.example/1");
  EXPECT_EQ(table.OfPiece(alpha.substr(5)), "");
  TextLines plain(u"see http://c.example/a\u0085b\n");
  EXPECT_EQ(plain.LinkOf(plain.Lines()[0]), "");
}

struct DragCase {
  const char* what;
  int dx;
  int dy;
  bool drag;
};

void PrintTo(const DragCase& row, std::ostream* out) {
  *out << row.what;
}

class PressAndRelease : public testing::TestWithParam<DragCase> {};

TEST_P(PressAndRelease, IsADragOnlyBeyondTheDragRectangle) {
  // The system's default drag rectangle: 4 by 4 pixels around the press.
  EXPECT_EQ(IsDrag(100, 50, 100 + GetParam().dx, 50 + GetParam().dy, 4, 4), GetParam().drag);
}

INSTANTIATE_TEST_SUITE_P(Table, PressAndRelease,
                         testing::Values(DragCase{"still", 0, 0, false},
                                         DragCase{"inside the rectangle", -2, 2, false},
                                         DragCase{"beyond it sideways", 3, 0, true},
                                         DragCase{"beyond it upwards", 0, -3, true}),
                         testing_names::FromWhat());

}  // namespace
}  // namespace core
