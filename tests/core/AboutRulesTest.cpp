#include "core/AboutRules.h"

#include <gtest/gtest.h>

#include "TestNames.h"

namespace core {
namespace {

struct PlaceCase {
  const char* what;
  Rect bar;
  TEdge edge;
  Point place;
};

class TheAboutBox : public testing::TestWithParam<PlaceCase> {};

TEST_P(TheAboutBox, OpensBesideTheBar) {
  const Rect monitor{0, 0, 1024, 768};
  EXPECT_EQ(AboutBoxPlace(GetParam().bar, GetParam().edge, 304, 246, monitor), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, TheAboutBox,
    testing::Values(
        PlaceCase{"a fifth in, below", {0, 0, 1024, 30}, TEdge::abeTop, {204, 30}},
        PlaceCase{"past the bar's end", {0, 0, 300, 30}, TEdge::abeTop, {60, 30}},
        PlaceCase{"above a bottom bar", {0, 738, 1024, 768}, TEdge::abeBottom, {204, 492}},
        PlaceCase{"centred over a floating one", {10, 10, 300, 40}, TEdge::abeFloat, {360, 261}}),
    testing_names::FromWhat());

struct HelpCase {
  const char* what;
  const char* program;
  const char* page;
};

class TheHelpPage : public testing::TestWithParam<HelpCase> {};

TEST_P(TheHelpPage, IsTheProgramsNameWithHtm) {
  EXPECT_EQ(HelpPagePath(GetParam().program), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TheHelpPage,
    testing::Values(HelpCase{"dotted folder", "D:\\My.Tools\\ticker2.exe",
                             "D:\\My.Tools\\ticker2.htm"},
                    HelpCase{"no extension", "D:\\My.Tools\\ticker", "D:\\My.Tools\\ticker.htm"},
                    HelpCase{"last dot only", "C:\\bar.v2.exe", "C:\\bar.v2.htm"}),
    testing_names::FromWhat());

}  // namespace
}  // namespace core
