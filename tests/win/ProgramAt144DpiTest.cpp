// The bar on a monitor of 144 DPI. Wine reports one density to every program, read when its
// server starts: scripts/test runs these tests alone, in a prefix set to 144 (LogPixels).

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "ProgramOnSettings.h"
#include "platform/Fonts.h"

using namespace testing_support;

namespace {

// The line height of `font` (0: the window's own) in a device context of `window`.
SIZE TextExtentIn(HWND window, const std::string& text, HFONT font) {
  const platform::ScopedGetDc dc(window);
  const platform::ScopedSelectObject selected(dc.get(), font);
  SIZE extent{};
  ::GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &extent);
  return extent;
}

int BarFontHeightAt(int dpi) {
  return TextExtentIn(nullptr, "X", platform::CreatePointFont("MS Sans Serif", 12, dpi).get()).cy;
}

// The labels, check boxes and radio buttons whose text does not fit their control.
std::string ClippedLabels(HWND dialog) {
  std::string clipped;
  for (HWND control = ::GetWindow(dialog, GW_CHILD); control;
       control = ::GetWindow(control, GW_HWNDNEXT)) {
    char name[16] = {}, text[256] = {};
    ::GetClassNameA(control, name, sizeof name);
    ::GetWindowTextA(control, text, sizeof text);
    const LONG type = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    const bool box =
        ::lstrcmpiA(name, "Button") == 0 && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
    if (!box && ::lstrcmpiA(name, "Static") != 0) continue;
    std::string shown(text);
    std::erase(shown, '&');
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    const SIZE extent = TextExtentIn(control, shown, font);
    const RECT room = BoundsOf(control);
    const int width = room.right - room.left - (box ? ::GetSystemMetrics(SM_CXMENUCHECK) : 0);
    if (extent.cx > width || extent.cy > room.bottom - room.top) clipped += "\"" + shown + "\" ";
  }
  return clipped;
}

// How far right of the tab control's edge the visible page's leftmost control starts.
LONG PageMargin(HWND dialog) {
  HWND tabs = ::FindWindowExA(dialog, nullptr, "SysTabControl32", nullptr);
  const RECT page = BoundsOf(tabs);
  LONG left = LONG_MAX;
  for (HWND control = ::GetWindow(dialog, GW_CHILD); control;
       control = ::GetWindow(control, GW_HWNDNEXT)) {
    const RECT bounds = BoundsOf(control);
    if (control != tabs && ::IsWindowVisible(control) && bounds.top < page.bottom) {
      left = std::min(left, bounds.left);
    }
  }
  return left - page.left;
}

// Whether every control of the window lies inside its client area.
bool ControlsInside(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  for (HWND control = ::GetWindow(window, GW_CHILD); control;
       control = ::GetWindow(control, GW_HWNDNEXT)) {
    const RECT bounds = BoundsOf(control);
    if (bounds.right > client.right || bounds.bottom > client.bottom) return false;
  }
  return true;
}

using ProgramAt144Dpi = ProgramOnSettings;

TEST_F(ProgramAt144Dpi, TheBarItsStripAndItsDialogAreOneAndAHalfTimesAsLarge) {
  ASSERT_EQ(BarFontHeightAt(0), BarFontHeightAt(144)) << "not in a prefix set to 144 DPI";
  auto program = Start("Frame=1\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_NE(bar, nullptr);
  // The text and the marquee's 2-pixel margin, and the 6 pixels of the frame, at 96 DPI.
  const int at96 = BarFontHeightAt(96) + 2 + 6;
  const auto height = [&] { return BoundsOf(bar).bottom - BoundsOf(bar).top; };
  EXPECT_TRUE(WaitUntil([&] { return std::abs(height() - at96 * 3 / 2) <= 2; }))
      << "at 96 DPI: " << at96 << ", now: " << height();
  RECT marquee{};
  ::GetClientRect(::FindWindowExA(bar, nullptr, "TMarquee", nullptr), &marquee);
  EXPECT_EQ(marquee.bottom, BarFontHeightAt(144) + 3) << "the font and margin at 144 DPI";

  ::PostMessageA(bar, WM_COMMAND, CMD_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return height() == 3; })) << "the strip";
  ::PostMessageA(bar, WM_COMMAND, CMD_OPTIONS, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (dialog = FindProcessWindow(program->ProcessId(), "TOptionsForm")); }));
  EXPECT_EQ(ClippedLabels(dialog), "");
  // 16 pixels at 96 DPI: the page's 12 and the tab control's border.
  EXPECT_NEAR(PageMargin(dialog), 24, 1);
  ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); }));
  ::PostMessageA(bar, WM_COMMAND, CMD_ABOUT, 0);
  HWND about = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (about = FindProcessWindow(program->ProcessId(), "TAboutBox")); }));
  EXPECT_TRUE(ControlsInside(about)) << "the box is as large as its controls";
  ::PostMessageA(about, WM_CLOSE, 0, 0);
  Exit(*program, bar);
}

}  // namespace
