// The options dialog's pages as the keyboard and the stored values find them: accelerators,
// boxes filled from the store, rows enabled by their own box, controls hidden by a choice.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OptionsFixture.h"

using namespace testing_support;

namespace {

struct AcceleratorCase {
  const char* what;
  int page;
  char letter;
  UINT focused;  // the control that has the focus afterwards
};

class OptionsAccelerators : public OptionsFixture,
                            public testing::WithParamInterface<AcceleratorCase> {};

// Alt+letter as the dialog's message loop hands it on, from the tab the user clicked. The
// buttons that open a common dialog (Font, the colours, the three file buttons) are left out.
TEST_P(OptionsAccelerators, MoveTheFocusToTheControlTheyName) {
  const AcceleratorCase& c = GetParam();
  // The number of lines is usable only for some lines.
  Change([](core::TickerSettings& v) { v.LoadFirstLines = true; });
  TOptionsForm form(*bar);
  ::ShowWindow(form.Handle(), SW_SHOW);
  ::SetForegroundWindow(form.Handle());
  ChoosePage(form, c.page);
  ::SetFocus(Item(form, IDC_TABS));
  MSG key{Item(form, IDC_TABS), WM_SYSCHAR, static_cast<WPARAM>(c.letter), 1 << 29, 0, {}};
  EXPECT_TRUE(::IsDialogMessageA(form.Handle(), &key));
  EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), static_cast<int>(c.focused));
  ::ShowWindow(form.Handle(), SW_HIDE);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, OptionsAccelerators, testing::Values(
    AcceleratorCase{"MainHorizontal", kMainPage, 'h', IDC_HORIZONTAL},
    AcceleratorCase{"MainVertical", kMainPage, 'v', IDC_VERTICAL},
    AcceleratorCase{"MainFrame", kMainPage, 'r', IDC_FRAME},
    AcceleratorCase{"MainOnTop", kMainPage, 'a', IDC_ALWAYS_ON_TOP},
    AcceleratorCase{"MainTrayIcon", kMainPage, 'u', IDC_HIDE_TRAY_ICON},
    AcceleratorCase{"MainCompletelyHide", kMainPage, 'p', IDC_TOTALLY_HIDE},
    AcceleratorCase{"FileLocal", kFilePage, 'l', IDC_USE_LOCAL_FILE},
    AcceleratorCase{"LinesWhole", kLinesPage, 'w', IDC_WHOLE_FILE},
    AcceleratorCase{"LinesFirst", kLinesPage, 'f', IDC_FIRST_LINES},
    AcceleratorCase{"MainDoNotAdjust", kMainPage, 'd', IDC_DO_NOT_ADJUST_DESKTOP},
    AcceleratorCase{"FileWeb", kFilePage, 'w', IDC_USE_WEB_FILE},
    AcceleratorCase{"LinesNumber", kLinesPage, 'n', IDC_LINES_TO_LOAD},
    AcceleratorCase{"LinesLast", kLinesPage, 'l', IDC_LAST_LINES},
    AcceleratorCase{"LinesIgnore", kLinesPage, 'i', IDC_COMMENT},
    AcceleratorCase{"ScrollDelay", kScrollPage, 's', IDC_DELAY},
    AcceleratorCase{"ScrollDistance", kScrollPage, 'd', IDC_AMOUNT},
    AcceleratorCase{"LineDelay", kScrollPage, 'l', IDC_LINE_DELAY},
    AcceleratorCase{"VerticalDelay", kScrollPage, 'm', IDC_VERT_SCROLL_DELAY},
    AcceleratorCase{"VerticalDistance", kScrollPage, 'p', IDC_VERT_SCROLL_AMOUNT},
    AcceleratorCase{"AutoMissing", kAutoPage, 'm', IDC_HIDE_ON_MISSING},
    AcceleratorCase{"AutoEmpty", kAutoPage, 'e', IDC_HIDE_ON_EMPTY},
    AcceleratorCase{"AutoAfter", kAutoPage, 'a', IDC_HIDE_TIME},
    AcceleratorCase{"AutoReload", kAutoPage, 'r', IDC_RELOAD_TIME},
    AcceleratorCase{"AutoChange", kAutoPage, 'c', IDC_SHOW_ON_CHANGE},
    AcceleratorCase{"AutoUnpause", kAutoPage, 'p', IDC_PAUSE_TIME},
    AcceleratorCase{"AutoMouse", kAutoPage, 'v', IDC_SHOW_ON_MOUSE_OVER},
    AcceleratorCase{"LogoUse", kLogoPage, 'u', IDC_USE_LOGO},
    AcceleratorCase{"SoundPlay", kSoundPage, 'p', IDC_SOUND_ON_CHANGE},
    AcceleratorCase{"SettingsRegistry", kSettingsPage, 'r', IDC_USE_REGISTRY},
    AcceleratorCase{"SettingsForUser", kSettingsPage, 'f', IDC_CURRENT_USER},
    AcceleratorCase{"SettingsRunForUser", kSettingsPage, 'w', IDC_RUN_FOR_USER},
    AcceleratorCase{"SettingsRunForAll", kSettingsPage, 'l', IDC_RUN_FOR_ALL}),
    [](const testing::TestParamInfo<AcceleratorCase>& info) { return info.param.what; });
// clang-format on

struct FilledCase {
  const char* what;
  UINT id;
  const char* shown;  // a box's check as "1" or "0", else the field's text
};

class OptionsFilled : public OptionsFixture, public testing::WithParamInterface<FilledCase> {};

// Every value differs from its default, so a box filled from another value's or from the
// default shows.
TEST_P(OptionsFilled, EachControlShowsItsOwnStoredValue) {
  Change([](core::TickerSettings& v) {
    v.UseComment = true;
    v.CommentStr = "#x";
    v.Amount = 5;
    v.Delay = 40;
    v.HideTrayicon = true;
    v.HideOnMissing = true;
    v.HideOnEmpty = true;
    v.UseAutoReload = true;
    v.GetFileDelay = 7000;
    v.LoadFirstLines = true;
    v.LinesToLoad = 9;
    v.Vertical = true;
    v.ShowOnChange = false;
    v.VertLineDelay = 11000;
    v.VertScrollDelay = 13;
    v.VertScrollAmount = 4;
    v.HideOnTimer = true;
    v.HideTimeDelay = 17000;
    v.UnPauseOnTimer = true;
    v.PauseTimeout = 19000;
    v.AlwaysOnTop = false;
    v.DoNotAdjustDesktop = true;
    v.Frame = false;
    v.ShowOnMouseOver = false;
    v.TotallyHide = true;
    v.UseLogo = true;
    v.LogoRight = true;
    v.LogoFile = "C:\\nowhere\\logo.bmp";
    v.SoundOnChange = true;
    v.WavFile = "C:\\nowhere\\ding.wav";
    v.UseFileUrl = true;
    v.FileUrl = "http://127.0.0.1:1/news.txt";
  });
  const FilledCase& c = GetParam();
  TOptionsForm form(*bar);
  HWND control = Item(form, c.id);
  char className[16] = {};
  ::GetClassNameA(control, className, sizeof className);
  const std::string shown =
      lstrcmpiA(className, "Button") == 0 ? (Checked(form, c.id) ? "1" : "0") : Text(control);
  EXPECT_EQ(shown, c.shown);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, OptionsFilled, testing::Values(
    FilledCase{"Vertical", IDC_VERTICAL, "1"}, FilledCase{"Horizontal", IDC_HORIZONTAL, "0"},
    FilledCase{"Frame", IDC_FRAME, "0"}, FilledCase{"AlwaysOnTop", IDC_ALWAYS_ON_TOP, "0"},
    FilledCase{"DoNotAdjust", IDC_DO_NOT_ADJUST_DESKTOP, "1"},
    FilledCase{"HideTrayIcon", IDC_HIDE_TRAY_ICON, "1"},
    FilledCase{"TotallyHide", IDC_TOTALLY_HIDE, "1"},
    FilledCase{"WebFile", IDC_USE_WEB_FILE, "1"}, FilledCase{"LocalFile", IDC_USE_LOCAL_FILE, "0"},
    FilledCase{"FileUrl", IDC_FILE_URL, "http://127.0.0.1:1/news.txt"},
    FilledCase{"WholeFile", IDC_WHOLE_FILE, "0"}, FilledCase{"FirstLines", IDC_FIRST_LINES, "1"},
    FilledCase{"LastLines", IDC_LAST_LINES, "0"}, FilledCase{"LinesToLoad", IDC_LINES_TO_LOAD, "9"},
    FilledCase{"UseComment", IDC_USE_COMMENT, "1"}, FilledCase{"Comment", IDC_COMMENT, "#x"},
    FilledCase{"Delay", IDC_DELAY, "40"}, FilledCase{"Amount", IDC_AMOUNT, "5"},
    FilledCase{"LineDelay", IDC_LINE_DELAY, "11"},
    FilledCase{"VertDelay", IDC_VERT_SCROLL_DELAY, "13"},
    FilledCase{"VertAmount", IDC_VERT_SCROLL_AMOUNT, "4"},
    FilledCase{"HideOnMissing", IDC_HIDE_ON_MISSING, "1"},
    FilledCase{"HideOnEmpty", IDC_HIDE_ON_EMPTY, "1"},
    FilledCase{"HideOnTimer", IDC_HIDE_ON_TIMER, "1"}, FilledCase{"HideTime", IDC_HIDE_TIME, "17"},
    FilledCase{"AutoReload", IDC_AUTO_RELOAD, "1"}, FilledCase{"ReloadTime", IDC_RELOAD_TIME, "7"},
    FilledCase{"ShowOnChange", IDC_SHOW_ON_CHANGE, "0"},
    FilledCase{"ShowOnMouseOver", IDC_SHOW_ON_MOUSE_OVER, "0"},
    FilledCase{"Unpause", IDC_UNPAUSE, "1"}, FilledCase{"PauseTime", IDC_PAUSE_TIME, "19"},
    FilledCase{"UseLogo", IDC_USE_LOGO, "1"}, FilledCase{"LogoFile", IDC_LOGO_FILE, "C:\\nowhere\\logo.bmp"},
    FilledCase{"LogoLeft", IDC_LOGO_LEFT, "0"}, FilledCase{"LogoRight", IDC_LOGO_RIGHT, "1"},
    FilledCase{"Sound", IDC_SOUND_ON_CHANGE, "1"}, FilledCase{"WavFile", IDC_WAV_FILE, "C:\\nowhere\\ding.wav"}),
    [](const testing::TestParamInfo<FilledCase>& info) { return info.param.what; });
// clang-format on

struct RowCase {
  const char* what;
  UINT box;
  UINT field;
};

class OptionsAutoRows : public OptionsFixture, public testing::WithParamInterface<RowCase> {};

TEST_P(OptionsAutoRows, EachBoxEnablesItsOwnFieldAndNoOther) {
  const RowCase& c = GetParam();
  TOptionsForm form(*bar);
  Click(form, c.box);
  for (UINT field : {IDC_HIDE_TIME, IDC_RELOAD_TIME, IDC_PAUSE_TIME}) {
    EXPECT_EQ(::IsWindowEnabled(Item(form, field)) != FALSE, field == c.field) << field;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, OptionsAutoRows,
                         testing::Values(RowCase{"HideAfter", IDC_HIDE_ON_TIMER, IDC_HIDE_TIME},
                                         RowCase{"Reload", IDC_AUTO_RELOAD, IDC_RELOAD_TIME},
                                         RowCase{"Unpause", IDC_UNPAUSE, IDC_PAUSE_TIME}),
                         [](const testing::TestParamInfo<RowCase>& info) {
                           return info.param.what;
                         });

using OptionsPages = OptionsFixture;

TEST_F(OptionsPages, TheLogoHintStaysHiddenWhileTheLogoIsOffThroughTabChanges) {
  TOptionsForm form(*bar);
  ChoosePage(form, kLogoPage);
  HWND hint = nullptr;
  for (HWND w = ::FindWindowExA(form.Handle(), nullptr, "STATIC", nullptr); w && !hint;
       w = ::FindWindowExA(form.Handle(), w, "STATIC", nullptr)) {
    if (Text(w).starts_with("Current logo height")) hint = w;
  }
  ASSERT_NE(hint, nullptr);
  const auto shown = [&] { return (::GetWindowLongA(hint, GWL_STYLE) & WS_VISIBLE) != 0; };
  ChoosePage(form, kLogoPage);
  EXPECT_FALSE(shown());
  Click(form, IDC_USE_LOGO);
  EXPECT_TRUE(shown());
  ChoosePage(form, kMainPage);
  EXPECT_FALSE(shown()) << "on another page";
  ChoosePage(form, kLogoPage);
  EXPECT_TRUE(shown());
  Click(form, IDC_USE_LOGO);
  ChoosePage(form, kMainPage);
  ChoosePage(form, kLogoPage);
  EXPECT_FALSE(shown());
  EXPECT_FALSE(::IsWindowEnabled(Item(form, IDC_LOGO_RIGHT))) << "disabled stays disabled";
}

// The path fields have the sunken border of an edit field, and a page switch leaves nothing of
// the page before on screen.
TEST_F(OptionsPages, ThePathFieldsHaveABorderAndAPageSwitchLeavesNoTrace) {
  TOptionsForm form(*bar);
  ::ShowWindow(form.Handle(), SW_SHOW);
  RECT bounds{};
  ::GetWindowRect(Item(form, IDC_FILE_URL), &bounds);
  HDC screen = ::GetDC(nullptr);
  const auto show = [&](int page) {
    ChoosePage(form, page);
    ::UpdateWindow(form.Handle());
    std::vector<COLORREF> pixels;
    for (int x = bounds.left + 2; x < bounds.right - 2; x += 8) {
      for (int y = bounds.top + 2; y < bounds.bottom - 2; y += 8) {
        pixels.push_back(::GetPixel(screen, x, y));
      }
    }
    return pixels;
  };
  const std::vector<COLORREF> before = show(kSoundPage);
  show(kFilePage);
  const int middle = (bounds.top + bounds.bottom) / 2;
  EXPECT_NE(::GetPixel(screen, bounds.left, middle), ::GetPixel(screen, bounds.left - 2, middle))
      << "no border";
  EXPECT_EQ(show(kSoundPage), before) << "the File page's field is still seen";
  ::ReleaseDC(nullptr, screen);
  form.ButtonCancelClick();
}

// Enter in a multi-line field would otherwise type a line break.
TEST_F(OptionsPages, EnterInAPathFieldPressesOk) {
  TOptionsForm form(*bar);
  HWND field = Item(form, IDC_FILE);
  ::PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
  ::PostMessageA(form.Handle(), WM_CLOSE, 0, 0);  // ends the loop if Enter did not
  EXPECT_EQ(form.ShowModal(), IDOK);
  EXPECT_EQ(Text(field), file_);
}

}  // namespace
