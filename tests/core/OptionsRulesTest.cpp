#include "core/OptionsRules.h"

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

class TheOptionsDialog : public testing::TestWithParam<PlaceCase> {};

TEST_P(TheOptionsDialog, OpensBesideTheBar) {
  const Rect monitor{0, 0, 1024, 768};
  EXPECT_EQ(OptionsDialogPlace(GetParam().bar, GetParam().edge, 515, 407, monitor),
            GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, TheOptionsDialog,
    testing::Values(
        PlaceCase{"a seventh in, below", {0, 0, 1024, 30}, TEdge::abeTop, {146, 30}},
        PlaceCase{"ending with the bar", {0, 0, 600, 30}, TEdge::abeTop, {85, 30}},
        PlaceCase{"off the screen", {0, 0, 500, 30}, TEdge::abeTop, {-15, 30}},
        PlaceCase{"above a bottom bar", {0, 738, 1024, 768}, TEdge::abeBottom, {146, 331}},
        PlaceCase{"centred over a floating one", {10, 10, 300, 40}, TEdge::abeFloat, {254, 180}}),
    testing_names::FromWhat());

TEST(OptionsFields, ShowWholeSecondsWithinTheirBoundsAndGiveMillisecondsBack) {
  EXPECT_EQ(SecondsShown(2500, kLineDelayMaxSeconds), 2);
  EXPECT_EQ(SecondsShown(0, kAutoMaxSeconds), 1);
  EXPECT_EQ(SecondsShown(-1, kLineDelayMaxSeconds), kLineDelayMaxSeconds);  // unsigned, as timers
  EXPECT_EQ(SecondsShown(2147483647, kAutoMaxSeconds), kAutoMaxSeconds);
  EXPECT_EQ(IntervalOfSeconds(kLineDelayMaxSeconds), 2147483000);
  EXPECT_EQ(IntervalOfSeconds(2147483647), 2147483647);
}

TEST(OptionsFields, TheAutoPageNamesHidingWhenTheBarHidesCompletely) {
  EXPECT_EQ(AutoPageCaptions(false).missing, "Minimize ticker if file is &missing");
  EXPECT_EQ(AutoPageCaptions(true).after, "Hide ticker &after (seconds)");
  EXPECT_EQ(AutoPageCaptions(true).change, "If hidden, show ticker on file &change");
}

struct UrlCase {
  const char* what;
  const char* typed;
  const char* fetched;
};

class TheWebAddress : public testing::TestWithParam<UrlCase> {};

TEST_P(TheWebAddress, GetsASchemeUnlessItHasOne) {
  EXPECT_EQ(NormalizedFileUrl(GetParam().typed), GetParam().fetched);
}

INSTANTIATE_TEST_SUITE_P(Table, TheWebAddress,
                         testing::Values(UrlCase{"no scheme", "news.example/x",
                                                 "http://news.example/x"},
                                         UrlCase{"trimmed", " \r\nhttp://a/b \t", "http://a/b"},
                                         UrlCase{"secure kept", "https://a/", "https://a/"},
                                         UrlCase{"any case", "HTTP://A/", "HTTP://A/"},
                                         UrlCase{"a host beginning with http", "httpbin.example/x",
                                                 "http://httpbin.example/x"},
                                         UrlCase{"empty", "", "http://"}),
                         testing_names::FromWhat());

TEST(OptionsFields, AStartAtLoginValueNamesTheProgramQuotedOrNotInAnyCase) {
  const char* program = "C:\\Program Files\\Driftline\\dftline.exe";
  EXPECT_EQ(RunValueOf(program), "\"C:\\Program Files\\Driftline\\dftline.exe\"");
  EXPECT_TRUE(RunValueNamesProgram(RunValueOf(program), program));
  EXPECT_TRUE(RunValueNamesProgram("c:\\program files\\driftline\\DFTLINE.EXE", program));
  EXPECT_FALSE(RunValueNamesProgram("D:\\Old\\dftline.exe", program));
  EXPECT_FALSE(RunValueNamesProgram(RunValueOf(program).append(" /x"), program));
}

TEST(OptionsFields, TheLogoHintNamesTheShownHeight) {
  EXPECT_EQ(LogoSizeHint(30),
            "Current logo height:  30px\n\rUsing an image of the right size may look better\n\r"
            "than letting Driftline resize the image.");
}

TEST(OptionsFields, AnUnknownOrHiddenPageOpensMain) {
  const bool tabs[] = {true, true, true, true, true, true, true, false};
  EXPECT_EQ(PageOfActiveTab(3, tabs), 3);
  EXPECT_EQ(PageOfActiveTab(7, tabs), 0);
  EXPECT_EQ(PageOfActiveTab(-1, tabs), 0);
  EXPECT_EQ(PageOfActiveTab(8, tabs), 0);
}

}  // namespace
}  // namespace core
