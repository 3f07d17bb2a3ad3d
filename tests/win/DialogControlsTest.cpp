// The dialog controls, anchors and the system's colour and font dialogs against real Win32.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ProgramDriver.h"
#include "platform/CommonDialogs.h"
#include "platform/Controls.h"
#include "platform/Window.h"

using namespace testing_support;

namespace {

// A dialog's stand-in: records what its controls tell it and resizes its anchored controls.
class TestParent : public platform::Window {
 public:
  TestParent() {
    CreateHandle({.name = "DriftlineTestControlParent"}, "Controls",
                 {.style = WS_OVERLAPPEDWINDOW, .x = 0, .y = 0, .width = 400, .height = 300});
  }
  std::vector<std::pair<UINT, UINT>> commands;  // id and notification code
  std::vector<UINT> notifications;
  platform::Anchors anchors;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    if (message == WM_NOTIFY) notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
    if (message == WM_SIZE) anchors.ParentResized(LOWORD(lParam), HIWORD(lParam));
    return DefaultHandling(message, wParam, lParam);
  }
};

class DialogControls : public ::testing::Test {
 protected:
  DialogControls() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&classes);
  }
  HWND Parent() const { return parent_.Handle(); }
  bool Received(UINT id, UINT code) const {
    const auto& commands = parent_.commands;
    return std::find(commands.begin(), commands.end(), std::make_pair(id, code)) != commands.end();
  }
  RECT RectInParent(HWND control) const {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, Parent(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  TestParent parent_;
  platform::UniqueFont font_ = platform::CreateDialogFont();
};

struct SpinCase {
  const char* says;
  std::int32_t minimum;
  std::int32_t maximum;
  std::optional<std::int32_t> set;  // SetValue, or else the text is typed
  const char* typed;
  std::int32_t expected;
};

class SpinFieldValues : public DialogControls, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(SpinFieldValues, ShowsAndReadsValuesWithinItsRange) {
  const SpinCase& c = GetParam();
  SCOPED_TRACE(c.says);
  platform::SpinField spin(Parent(), {10, 10, 120, 22}, 100, font_.get(), c.minimum, c.maximum);
  if (c.set) {
    spin.SetValue(*c.set);
    char text[32] = {};
    ::GetWindowTextA(spin.Field(), text, sizeof text);
    EXPECT_EQ(text, std::to_string(c.expected));
    BOOL failed = TRUE;
    EXPECT_EQ(::SendMessageA(spin.UpDown(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)),
              c.expected);
    EXPECT_FALSE(failed);
  } else {
    ::SetWindowTextA(spin.Field(), c.typed);
  }
  EXPECT_EQ(spin.Value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    DialogControls, SpinFieldValues,
    ::testing::Values(
        SpinCase{"below the minimum shows the minimum", 1, 100, 0, nullptr, 1},
        SpinCase{"above the maximum shows the maximum", 1, 100, 500, nullptr, 100},
        SpinCase{"the whole 32-bit range reaches the buttons", 1, 2147483647, 2147483647, nullptr,
                 2147483647},
        SpinCase{"text that is no number reads as the minimum", 5, 100, std::nullopt, "12abc", 5},
        SpinCase{"a number beyond any range reads as the maximum", 0, 100, std::nullopt,
                 " 99999999999999999999 ", 100},
        SpinCase{"a negative number reads as the minimum", 0, 100, std::nullopt, "-7", 0}));

TEST_F(DialogControls, ASpinFieldTellsTheParentWhenSettingChangesItsText) {
  platform::SpinField spin(Parent(), {10, 10, 120, 22}, 100, font_.get(), 1, 100);
  EXPECT_LE(RectInParent(spin.UpDown()).right, 130) << "the buttons inside the bounds";
  spin.SetValue(5);
  EXPECT_TRUE(Received(100, EN_CHANGE));
  parent_.commands.clear();
  spin.SetValue(5);
  EXPECT_FALSE(Received(100, EN_CHANGE)) << "the same text again";
}

TEST_F(DialogControls, SettingACheckSendsNoClickButAClickDoes) {
  platform::CheckBox check(Parent(), "Check", {10, 10, 100, 20}, 101, font_.get());
  platform::Button button(Parent(), "Push", {10, 40, 100, 24}, 102, font_.get());
  check.SetChecked(true);
  EXPECT_TRUE(check.Checked());
  EXPECT_TRUE(parent_.commands.empty());
  ::SendMessageA(check.Handle(), BM_CLICK, 0, 0);  // as the user clicks
  button.Click();
  EXPECT_FALSE(check.Checked());
  EXPECT_TRUE(Received(101, BN_CLICKED));
  EXPECT_TRUE(Received(102, BN_CLICKED));
}

TEST_F(DialogControls, CheckingARadioButtonClearsOnlyTheOthersOfItsGroupAndTakesTheTabStop) {
  using platform::RadioGroup;
  platform::RadioButton first(Parent(), "A", {10, 10, 80, 20}, 110, font_.get(),
                              RadioGroup::Starts);
  platform::RadioButton second(Parent(), "B", {10, 30, 80, 20}, 111, font_.get());
  platform::RadioButton other(Parent(), "C", {10, 60, 80, 20}, 112, font_.get(),
                              RadioGroup::Starts);
  first.SetChecked(true);
  other.SetChecked(true);
  first.SetVisible(false);  // as on a hidden tab page
  second.SetChecked(true);
  EXPECT_FALSE(first.Checked());
  EXPECT_TRUE(second.Checked());
  EXPECT_TRUE(other.Checked());
  EXPECT_FALSE(::GetWindowLongA(first.Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(::GetWindowLongA(second.Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(parent_.commands.empty());
}

TEST_F(DialogControls, HiddenTabsKeepThePageIndicesOfTheOthers) {
  platform::TabControl tabs(Parent(), {10, 10, 300, 200}, 120, font_.get(), 80);
  for (const char* caption : {"One", "Two", "Three"}) tabs.AddTab(caption);
  tabs.SetTabVisible(0, false);
  EXPECT_EQ(::SendMessageA(tabs.Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  tabs.Select(2);
  EXPECT_EQ(tabs.Selected(), 2);
  tabs.SetTabVisible(0, true);
  EXPECT_EQ(tabs.Selected(), 2);
  tabs.Select(0);
  EXPECT_EQ(tabs.Selected(), 0);
  EXPECT_TRUE(parent_.notifications.empty());
  RECT tab{};
  TabCtrl_GetItemRect(tabs.Handle(), 0, &tab);
  EXPECT_EQ(tab.right - tab.left, 80);
  EXPECT_GE(tabs.PageArea().top, 10 + tab.bottom) << "the pages below the tabs";
}

TEST_F(DialogControls, AnchoredControlsFollowTheSidesTheyAreAnchoredTo) {
  platform::Button corner(Parent(), "OK", {200, 150, 80, 24}, 130, font_.get());
  platform::Edit wide(Parent(), {10, 10, 270, 22}, 131, font_.get());
  parent_.anchors.Add(corner.Handle(), platform::kAnchorRight | platform::kAnchorBottom);
  parent_.anchors.Add(wide.Handle(),
                      platform::kAnchorLeft | platform::kAnchorTop | platform::kAnchorRight);
  const RECT corner0 = RectInParent(corner.Handle()), wide0 = RectInParent(wide.Handle());
  ::SetWindowPos(Parent(), nullptr, 0, 0, 460, 340, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT corner1 = RectInParent(corner.Handle()), wide1 = RectInParent(wide.Handle());
  EXPECT_EQ(corner1.left - corner0.left, 60);
  EXPECT_EQ(corner1.bottom - corner0.bottom, 40);
  EXPECT_EQ(wide1.left, wide0.left);
  EXPECT_EQ(wide1.right - wide0.right, 60);
}

// Presses a button of the system dialog that `owner` opens next, from another thread, which is
// joined even when the test throws.
std::jthread AnswerOwnedDialog(HWND owner, WORD button) {
  return std::jthread([owner, button] {
    HWND dialog = nullptr;
    WaitUntil([&] {
      while ((dialog = ::FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
        if (::GetWindow(dialog, GW_OWNER) == owner && ::IsWindowVisible(dialog)) return true;
      }
      return false;
    });
    if (dialog) ::PostMessageA(dialog, WM_COMMAND, button, 0);
  });
}

TEST_F(DialogControls, TheColourDialogCancelledGivesNoColour) {
  platform::ColorDialog colors;
  const std::jthread answer = AnswerOwnedDialog(Parent(), IDCANCEL);
  EXPECT_EQ(colors.Choose(Parent()), std::nullopt);
}

TEST_F(DialogControls, TheFontDialogCancelledGivesNoFont) {
  const std::jthread answer = AnswerOwnedDialog(Parent(), IDCANCEL);
  EXPECT_FALSE(platform::ChooseFontSpec(Parent(), {}).has_value());
}

}  // namespace
