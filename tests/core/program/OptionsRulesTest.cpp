#include "core/program/OptionsRules.h"

#include <gtest/gtest.h>

#include <string>

#include "TestNames.h"
#include "core/program/AboutRules.h"

namespace core {
namespace {

enum class Dialog { Options, About };

struct PlaceCase {
  const char* what;
  Dialog dialog;
  Rect bar;
  TEdge edge;
  Point place;
};

class TheDialogs : public testing::TestWithParam<PlaceCase> {};

// The options dialog is 515 x 407 and comes a seventh in; the About box, 304 x 246, a fifth.
TEST_P(TheDialogs, OpenBesideTheBar) {
  const PlaceCase& c = GetParam();
  const Rect monitor{0, 0, 1024, 768};
  const Point place = c.dialog == Dialog::Options
                          ? OptionsDialogPlace(c.bar, c.edge, 515, 407, monitor)
                          : AboutBoxPlace(c.bar, c.edge, 304, 246, monitor);
  EXPECT_EQ(place, c.place);
}

using enum Dialog;

INSTANTIATE_TEST_SUITE_P(
    Placement, TheDialogs,
    testing::Values(
        PlaceCase{
            "options a seventh in, below", Options, {0, 0, 1024, 30}, TEdge::abeTop, {146, 30}},
        PlaceCase{"options ending with the bar", Options, {0, 0, 600, 30}, TEdge::abeTop, {85, 30}},
        PlaceCase{"options off the screen", Options, {0, 0, 500, 30}, TEdge::abeTop, {-15, 30}},
        PlaceCase{"options above a bottom bar",
                  Options,
                  {0, 738, 1024, 768},
                  TEdge::abeBottom,
                  {146, 331}},
        PlaceCase{"options centred over a floating one",
                  Options,
                  {10, 10, 300, 40},
                  TEdge::abeFloat,
                  {254, 180}},
        PlaceCase{"about a fifth in, below", About, {0, 0, 1024, 30}, TEdge::abeTop, {204, 30}},
        PlaceCase{"about past the bar's end", About, {0, 0, 300, 30}, TEdge::abeTop, {60, 30}},
        PlaceCase{
            "about above a bottom bar", About, {0, 738, 1024, 768}, TEdge::abeBottom, {204, 492}},
        PlaceCase{"about centred over a floating one",
                  About,
                  {10, 10, 300, 40},
                  TEdge::abeFloat,
                  {360, 261}}),
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

constexpr const char* kProgram = "C:\\Program Files\\Driftline\\dftline.exe";

TEST(OptionsFields, AStartAtLoginValueIsTheProgramQuoted) {
  EXPECT_EQ(RunValueOf(kProgram), "\"C:\\Program Files\\Driftline\\dftline.exe\"");
}

struct RunValueCase {
  const char* what;
  std::string value;
  bool names;
};

class OptionsRunValue : public ::testing::TestWithParam<RunValueCase> {};

TEST_P(OptionsRunValue, NamesTheProgramOnlyWhenItIsThatPathExactly) {
  EXPECT_EQ(RunValueNamesProgram(GetParam().value, kProgram), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OptionsRunValue,
    ::testing::Values(
        RunValueCase{"Quoted", RunValueOf(kProgram), true},
        RunValueCase{"UnquotedOtherCase", "c:\\program files\\driftline\\DFTLINE.EXE", true},
        RunValueCase{"AnotherFolder", "D:\\Old\\dftline.exe", false},
        RunValueCase{"WithAParameter", RunValueOf(kProgram).append(" /x"), false},
        RunValueCase{"ABackupBeside", RunValueOf(std::string(kProgram) + ".bak"), false},
        RunValueCase{"ALongerPathUnquoted", std::string(kProgram) + "\\x.exe", false},
        RunValueCase{"AShorterPath", "C:\\Program Files\\Driftline\\dftline", false},
        RunValueCase{"OneQuoteOnly", "\"" + std::string(kProgram), false}),
    [](const ::testing::TestParamInfo<RunValueCase>& info) { return info.param.what; });

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
  EXPECT_EQ(PageOfActiveTab(9, tabs), 0) << "stored by another version, kept as it was";
}

}  // namespace
}  // namespace core
