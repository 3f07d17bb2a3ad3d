// The bar on a monitor of 144 DPI. Wine reports one density to every program, read when its
// server starts: scripts/test runs these tests alone, in a prefix set to 144 (LogPixels).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ProgramOnSettings.h"

using namespace testing_support;

namespace {

// The line height of the bar's default font at `dpi`, as this machine's fonts give it.
int FontHeightAt(int dpi) {
  const HFONT font = ::CreateFontA(-::MulDiv(12, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                   DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  const HDC dc = ::CreateCompatibleDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, font);
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::DeleteObject(font);
  return metrics.tmHeight;
}

// Each label's, check box's and radio button's text fits its control at the control's font.
std::string ClippedLabels(HWND dialog) {
  std::string clipped;
  for (HWND control = ::GetWindow(dialog, GW_CHILD); control;
       control = ::GetWindow(control, GW_HWNDNEXT)) {
    char className[16] = {};
    ::GetClassNameA(control, className, sizeof className);
    const LONG type = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    const bool box = ::lstrcmpiA(className, "Button") == 0 &&
                     (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
    if (!box && ::lstrcmpiA(className, "Static") != 0) continue;
    char text[256] = {};
    ::GetWindowTextA(control, text, sizeof text);
    std::string shown(text);
    std::erase(shown, '&');
    const HDC dc = ::GetDC(control);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, shown.data(), static_cast<int>(shown.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    RECT client{};
    ::GetClientRect(control, &client);
    const int room = client.right - (box ? ::GetSystemMetrics(SM_CXMENUCHECK) : 0);
    if (extent.cx > room || extent.cy > client.bottom) clipped += "\"" + shown + "\" ";
  }
  return clipped;
}

class ProgramAt144Dpi : public ProgramOnSettings {};

TEST_F(ProgramAt144Dpi, TheBarItsStripAndItsDialogAreOneAndAHalfTimesAsLarge) {
  HDC screen = ::GetDC(nullptr);
  ASSERT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), 144) << "not run in a prefix set to 144 DPI";
  ::ReleaseDC(nullptr, screen);
  auto program = Start("Frame=1\r\n");
  HWND bar = program->WaitForBar();
  ASSERT_NE(bar, nullptr);
  // The text and the marquee's 2-pixel margin, and the 6 pixels of the frame, at 96 DPI.
  const int at96 = FontHeightAt(96) + 2 + 6;
  EXPECT_TRUE(WaitUntil([&] {
    const RECT bounds = BoundsOf(bar);
    return std::abs(bounds.bottom - bounds.top - at96 * 3 / 2) <= 2;
  })) << "at 96 DPI: "
      << at96 << ", now: " << BoundsOf(bar).bottom - BoundsOf(bar).top;
  RECT marquee{};
  ::GetClientRect(::FindWindowExA(bar, nullptr, "TMarquee", nullptr), &marquee);
  EXPECT_EQ(marquee.bottom, FontHeightAt(144) + 2) << "the font is not drawn at 144 DPI";

  ::PostMessageA(bar, WM_COMMAND, CMD_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return BoundsOf(bar).bottom - BoundsOf(bar).top == 3; }));

  ::PostMessageA(bar, WM_COMMAND, CMD_OPTIONS, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (dialog = FindProcessWindow(program->ProcessId(), "TOptionsForm")); }));
  EXPECT_EQ(ClippedLabels(dialog), "");
  ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  Exit(*program, bar);
}

}  // namespace
