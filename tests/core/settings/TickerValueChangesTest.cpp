#include "core/settings/TickerValueChanges.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestNames.h"

#include <functional>

#include "core/placement/SpeedKeys.h"

namespace core {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using C = TickerChange;

struct ChangeCase {
  const char* what;
  std::function<void(TickerSettings&)> change;
  std::vector<TickerChange> applied;
};

class AppliedChanges : public testing::TestWithParam<ChangeCase> {};

TEST_P(AppliedChanges, OnlyThePartsThatDependOnTheChangedValue) {
  TickerSettings after;
  GetParam().change(after);
  EXPECT_THAT(ChangesBetween(TickerSettings{}, after), ElementsAreArray(GetParam().applied));
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppliedChanges,
    testing::Values(
        ChangeCase{"nothing", [](TickerSettings&) {}, {}},
        ChangeCase{"FontSize", [](TickerSettings& v) { v.FontSize = 20; }, {C::Font, C::Layout}},
        ChangeCase{
            "FontItalic", [](TickerSettings& v) { v.FontItalic = true; }, {C::Font, C::Layout}},
        ChangeCase{"Frame", [](TickerSettings& v) { v.Frame = false; }, {C::Frame, C::Layout}},
        ChangeCase{"Amount", [](TickerSettings& v) { v.Amount = 5; }, {C::ScrollAmount}},
        ChangeCase{"Delay and Color",
                   [](TickerSettings& v) { v.Delay = 9, v.Color = 0; },
                   {C::Color, C::ScrollDelay}},
        ChangeCase{
            "GetFileDelay", [](TickerSettings& v) { v.GetFileDelay = 1000; }, {C::TimerIntervals}},
        ChangeCase{
            "PauseTimeout", [](TickerSettings& v) { v.PauseTimeout = 1000; }, {C::TimerIntervals}},
        ChangeCase{
            "LogoFile", [](TickerSettings& v) { v.LogoFile = "a.bmp"; }, {C::Logo, C::Layout}},
        ChangeCase{"Left", [](TickerSettings& v) { v.Left = 5; }, {C::Position}},
        ChangeCase{"FloatRight", [](TickerSettings& v) { v.FloatRight = 600; }, {C::Dock}},
        ChangeCase{"DoNotAdjustDesktop",
                   [](TickerSettings& v) { v.DoNotAdjustDesktop = true; },
                   {C::AppBarFlags}},
        ChangeCase{
            "Vertical", [](TickerSettings& v) { v.Vertical = true; }, {C::Vertical, C::Layout}},
        ChangeCase{"LogoRight", [](TickerSettings& v) { v.LogoRight = true; }, {C::Layout}},
        ChangeCase{
            "UseAutoReload", [](TickerSettings& v) { v.UseAutoReload = true; }, {C::AutoReload}},
        ChangeCase{
            "HideOnTimer", [](TickerSettings& v) { v.HideOnTimer = true; }, {C::HideOnTimer}},
        ChangeCase{"ShowSourceNames",
                   [](TickerSettings& v) { v.ShowSourceNames = false; },
                   {C::SourceNames}},
        // Values that other operations read when they run: nothing to apply now.
        ChangeCase{"File and comments",
                   [](TickerSettings& v) { v.File = "x.txt", v.UseComment = true; },
                   {}}),
    testing_names::FromWhat());

TEST(AppliedChanges, TheStartUpAppliesEveryPartInApplyOrder) {
  EXPECT_THAT(AllChanges(),
              ElementsAre(C::Position, C::Font, C::Logo, C::StayOnTop, C::AppBarFlags, C::Frame,
                          C::TrayIcon, C::TotallyHide, C::ScrollAmount, C::Color, C::ScrollDelay,
                          C::Vertical, C::TimerIntervals, C::AutoReload, C::HideOnTimer, C::Dock,
                          C::Layout, C::SourceNames));
}

TEST(TimerIntervals, ANegativeStoredIntervalNeverFires) {
  EXPECT_EQ(IntervalMs(-5), 0u);
  EXPECT_EQ(IntervalMs(0), 0u);
  EXPECT_EQ(IntervalMs(2345), 2345u);
  EXPECT_EQ(TimerIntervalList().size(), 5u);
}

TEST(AmountRange, TheKeysAndTheStoreKeepTheStepInOneRange) {
  for (const std::int32_t stored : {kAmountRange.low - 1, kAmountRange.high + 1}) {
    ValueTable table;
    table.Set("Amount", Value(stored));
    ClampTickerValues(table);
    const int clamped = std::get<std::int32_t>(*table.Find("Amount"));
    EXPECT_EQ(SpeedAfterKey(SpeedKey::Other, {1, stored}).amount, clamped);
  }
  EXPECT_EQ(SpeedAfterKey(SpeedKey::LargerStep, {1, kAmountRange.high}).amount, kAmountRange.high);
}

}  // namespace
}  // namespace core
