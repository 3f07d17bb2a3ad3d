// The options dialog over the bar in the test's own process, without its modal loop: each
// control changed as the user would, then Ok, Cancel or the close box.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OptionsFixture.h"
#include "platform/FileSystem.h"

using namespace testing_support;

namespace {

enum class Closing { Ok, Cancel, CloseBox };

struct ControlCase {
  const char* what;
  UINT id;
  const char* text;  // typed into the field; none: the control is clicked
  std::function<std::int64_t(const core::TickerSettings&)> value;
  std::int64_t before;
  bool live;
  Closing closing;
  std::int64_t after;
};

class OptionsControls : public OptionsFixture, public testing::WithParamInterface<ControlCase> {};

TEST_P(OptionsControls, ActLiveOrOnOkAndCancelPutsBackWhatItShould) {
  const ControlCase& c = GetParam();
  ASSERT_EQ(c.value(bar->Values()), c.before);
  TOptionsForm form(*bar);
  ASSERT_EQ(c.value(bar->Values()), c.before) << "filling changes nothing";
  HWND control = ::GetDlgItem(form.Handle(), static_cast<int>(c.id));
  ASSERT_NE(control, nullptr);
  if (c.text) {
    ::SetWindowTextA(control, c.text);
  } else {
    ::SendMessageA(control, BM_CLICK, 0, 0);
  }
  EXPECT_EQ(c.value(bar->Values()) != c.before, c.live) << "live";
  switch (c.closing) {
    case Closing::Ok: form.ButtonOkClick(); break;
    case Closing::Cancel: form.ButtonCancelClick(); break;
    case Closing::CloseBox: ::SendMessageA(form.Handle(), WM_CLOSE, 0, 0); break;
  }
  EXPECT_EQ(c.value(bar->Values()), c.after);
}

using V = const core::TickerSettings&;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, OptionsControls, testing::Values(
    ControlCase{"FrameCancelled", IDC_FRAME, nullptr, [](V v) { return v.Frame; },
                1, true, Closing::Cancel, 1},
    ControlCase{"AlwaysOnTopKept", IDC_ALWAYS_ON_TOP, nullptr, [](V v) { return v.AlwaysOnTop; },
                1, true, Closing::Ok, 0},
    ControlCase{"DoNotAdjustDesktopCancelled", IDC_DO_NOT_ADJUST_DESKTOP, nullptr,
                [](V v) { return v.DoNotAdjustDesktop; }, 0, true, Closing::Cancel, 0},
    ControlCase{"HideTrayIconStaysAtTheCloseBox", IDC_HIDE_TRAY_ICON, nullptr,
                [](V v) { return v.HideTrayicon; }, 0, true, Closing::CloseBox, 1},
    ControlCase{"TotallyHideIsNotUndone", IDC_TOTALLY_HIDE, nullptr,
                [](V v) { return v.TotallyHide; }, 0, true, Closing::Cancel, 1},
    ControlCase{"VerticalCancelled", IDC_VERTICAL, nullptr, [](V v) { return v.Vertical; },
                0, true, Closing::Cancel, 0},
    ControlCase{"ScrollDelayStaysAtTheCloseBox", IDC_DELAY, "40", [](V v) { return v.Delay; },
                1, true, Closing::CloseBox, 40},
    ControlCase{"ScrollDistanceCancelled", IDC_AMOUNT, "5", [](V v) { return v.Amount; },
                1, true, Closing::Cancel, 1},
    ControlCase{"LineDelayInSeconds", IDC_LINE_DELAY, "7", [](V v) { return v.VertLineDelay; },
                3000, true, Closing::Ok, 7000},
    ControlCase{"VerticalDistanceCancelled", IDC_VERT_SCROLL_AMOUNT, "9",
                [](V v) { return v.VertScrollAmount; }, 1, true, Closing::Cancel, 1},
    ControlCase{"HideOnMissingOnOk", IDC_HIDE_ON_MISSING, nullptr,
                [](V v) { return v.HideOnMissing; }, 0, false, Closing::Ok, 1},
    ControlCase{"AutoReloadDroppedAtTheCloseBox", IDC_AUTO_RELOAD, nullptr,
                [](V v) { return v.UseAutoReload; }, 0, false, Closing::CloseBox, 0},
    ControlCase{"CommentBoxOnOk", IDC_USE_COMMENT, nullptr, [](V v) { return v.UseComment; },
                0, false, Closing::Ok, 1},
    ControlCase{"HideAfterInSecondsOnOk", IDC_HIDE_TIME, "7",
                [](V v) { return v.HideTimeDelay; }, 0, false, Closing::Ok, 7000},
    ControlCase{"ReloadEveryInSecondsOnOk", IDC_RELOAD_TIME, "7",
                [](V v) { return v.GetFileDelay; }, 0, false, Closing::Ok, 7000},
    ControlCase{"UnpauseAfterInSecondsOnOk", IDC_PAUSE_TIME, "7",
                [](V v) { return v.PauseTimeout; }, 0, false, Closing::Ok, 7000},
    ControlCase{"WebChoiceOnOk", IDC_USE_WEB_FILE, nullptr, [](V v) { return v.UseFileUrl; },
                0, false, Closing::Ok, 1},
    ControlCase{"MouseOverIsNotUndone", IDC_SHOW_ON_MOUSE_OVER, nullptr,
                [](V v) { return v.ShowOnMouseOver; }, 1, true, Closing::Cancel, 0}),
    [](const testing::TestParamInfo<ControlCase>& info) { return info.param.what; });
// clang-format on

using OptionsForm = OptionsFixture;

TEST_F(OptionsForm, ALineIntervalOfPartSecondsSurvivesFillingAndCancel) {
  Change([](core::TickerSettings& v) { v.VertLineDelay = 2500; });
  {
    TOptionsForm form(*bar);
    EXPECT_EQ(bar->Values().VertLineDelay, 2500);
    form.ButtonCancelClick();
  }
  EXPECT_EQ(bar->Values().VertLineDelay, 2500);
}

TEST_F(OptionsForm, AnotherLineChoiceAndBackStillReadsTheTextAgainOnOk) {
  TOptionsForm form(*bar);
  EXPECT_FALSE(form.LinesChanged());
  ::SendMessageA(::GetDlgItem(form.Handle(), IDC_FIRST_LINES), BM_CLICK, 0, 0);
  ::SendMessageA(::GetDlgItem(form.Handle(), IDC_WHOLE_FILE), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.LinesChanged());
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(form.Handle(), IDC_LINES_TO_LOAD)));
  form.ButtonOkClick();
  EXPECT_FALSE(bar->Values().LoadFirstLines);
}

TEST_F(OptionsForm, AFieldSetByPolicyStaysDisabledWhenItsBoxIsChecked) {
  PolicyValues policy(HKEY_CURRENT_USER);
  policy.Set("GetFileDelay", 5000);
  SendPolicyChange(bar->Handle());
  TOptionsForm form(*bar);
  Click(form, IDC_AUTO_RELOAD);
  EXPECT_FALSE(::IsWindowEnabled(Item(form, IDC_RELOAD_TIME)));
  form.ButtonCancelClick();
}

// The source or the names set by policy lock what would change them, the list of sources too.
TEST_F(OptionsForm, APolicyOnTheSourceLocksSourcesAndOneOnTheNamesLocksTheirBox) {
  PolicyValues policy(HKEY_CURRENT_USER);
  policy.Set("FileUrl", std::string("http://127.0.0.1/"));
  SendPolicyChange(bar->Handle());
  TOptionsForm form(*bar);
  EXPECT_FALSE(::IsWindowEnabled(Item(form, IDC_SOURCES_BUTTON)));
  EXPECT_TRUE(::IsWindowEnabled(Item(form, IDC_SHOW_SOURCE_NAMES)));
  form.ButtonCancelClick();
  EXPECT_FALSE(bar->UseSources({{"Mine", "http://127.0.0.1/a"}})) << "a list the bar would not use";
  policy.Set("ShowSourceNames", 0);
  SendPolicyChange(bar->Handle());
  TOptionsForm locked(*bar);
  EXPECT_FALSE(::IsWindowEnabled(Item(locked, IDC_SHOW_SOURCE_NAMES)));
  locked.ButtonCancelClick();
}

TEST_F(OptionsForm, ANewFeedSeparatorIsStoredOnOkAndTheFeedIsReadAgainWithIt) {
  WriteWholeFile(file_, "<rss><channel><item><title>A</title></item></channel></rss>");
  bar->ForceRead();
  bar->TimerGetFileTimer();
  ASSERT_EQ(Shown(), "A  +++ ");
  TOptionsForm form(*bar);
  ::SetWindowTextA(::GetDlgItem(form.Handle(), IDC_FEED_SEPARATOR), " |");
  EXPECT_EQ(bar->Values().FeedSeparator, "  +++") << "applied on Ok";
  form.ButtonOkClick();
  EXPECT_EQ(bar->Values().FeedSeparator, " |");
  EXPECT_EQ(Shown(), "A | ");
}

TEST_F(OptionsForm, UncheckingAlwaysOnTopLeavesTheBarTopmostUntilTheDialogCloses) {
  const auto topmost = [&] {
    return (::GetWindowLongA(bar->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  };
  ASSERT_TRUE(topmost());
  TOptionsForm form(*bar);
  ::SendMessageA(::GetDlgItem(form.Handle(), IDC_ALWAYS_ON_TOP), BM_CLICK, 0, 0);
  EXPECT_TRUE(topmost());
  form.ButtonOkClick();
  EXPECT_FALSE(bar->Values().AlwaysOnTop);
}

TEST_F(OptionsForm, OkWithTheWebChoiceMakesTheAddressTheBarsSource) {
  TOptionsForm form(*bar);
  Click(form, IDC_USE_WEB_FILE);
  ::SetWindowTextA(Item(form, IDC_FILE_URL), " 127.0.0.1:1/news.txt");
  form.ButtonOkClick();
  EXPECT_TRUE(bar->Values().UseFileUrl);
  EXPECT_EQ(bar->Values().FileUrl, "http://127.0.0.1:1/news.txt");
}

TEST_F(OptionsForm, CancelPutsBackTheFontAndTheBarColour) {
  const platform::FontSpec font = bar->BarFont();
  const std::int32_t color = bar->Values().Color;
  TOptionsForm form(*bar);
  // What the Font and Bar Color buttons do with the user's choice.
  platform::FontSpec bigger = font;
  bigger.size += 6;
  bigger.bold = !font.bold;
  bar->SetBarFont(bigger);
  Change([](core::TickerSettings& v) { v.Color = 0x123456; });
  form.ButtonCancelClick();
  EXPECT_EQ(bar->BarFont().size, font.size);
  EXPECT_EQ(bar->BarFont().bold, font.bold);
  EXPECT_EQ(bar->Values().Color, color);
}

TEST_F(OptionsForm, CompletelyHideNamesHidingOnTheAutoPage) {
  TOptionsForm form(*bar);
  ::SendMessageA(::GetDlgItem(form.Handle(), IDC_TOTALLY_HIDE), BM_CLICK, 0, 0);
  char caption[64] = {};
  ::GetWindowTextA(::GetDlgItem(form.Handle(), IDC_HIDE_ON_MISSING), caption, sizeof caption);
  EXPECT_STREQ(caption, "Hide ticker if file is &missing");
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(form.Handle(), IDC_SHOW_ON_MOUSE_OVER)));
}

}  // namespace

namespace {

struct MissingCase {
  const char* what;
  UINT useId;  // the box that names the file's use; 0: the local file, chosen already
  UINT pathId;
  const char* question;
  std::function<std::string(const core::TickerSettings&)> applied;
};

class OptionsMissingFiles : public OptionsFixture,
                            public testing::WithParamInterface<MissingCase> {};

TEST_P(OptionsMissingFiles, AreAskedAboutAndNoAppliesNothing) {
  const MissingCase& c = GetParam();
  const std::string missing = TempFilePath("driftline-nowhere.txt");
  TOptionsForm form(*bar);
  if (c.useId) ::SendMessageA(::GetDlgItem(form.Handle(), c.useId), BM_CLICK, 0, 0);
  ::SetWindowTextA(::GetDlgItem(form.Handle(), c.pathId), missing.c_str());
  const std::string before = c.applied(bar->Values());
  {
    MessageBoxAnswer no("Confirm", IDNO);
    form.ButtonOkClick();
    EXPECT_EQ(no.Text(), c.question + ("\"" + missing + "\" not found.  Use anyway?"));
  }
  EXPECT_EQ(c.applied(bar->Values()), before) << "No applies nothing";
  MessageBoxAnswer yes("Confirm", IDYES);
  form.ButtonOkClick();
  EXPECT_EQ(c.applied(bar->Values()), missing);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OptionsMissingFiles,
    testing::Values(MissingCase{"TheLocalFile", 0, IDC_FILE, "File ", [](V v) { return v.File; }},
                    MissingCase{"TheLogo", IDC_USE_LOGO, IDC_LOGO_FILE, "Logo file ",
                                [](V v) { return v.LogoFile; }},
                    MissingCase{"TheSound", IDC_SOUND_ON_CHANGE, IDC_WAV_FILE, "Sound file ",
                                [](V v) { return v.WavFile; }}),
    [](const testing::TestParamInfo<MissingCase>& info) { return info.param.what; });

// Each hive's entry: this program's, quoted; another path is not ours and Ok removes it.
class OptionsRunEntries : public OptionsFixture {
 protected:
  static constexpr const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  void TearDown() override {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
      ::RegDeleteKeyValueA(root, kRun, "Driftline");
    OptionsFixture::TearDown();
  }
  static void SetEntry(HKEY root, const std::string& data) {
    ::RegSetKeyValueA(root, kRun, "Driftline", REG_SZ, data.c_str(),
                      static_cast<DWORD>(data.size() + 1));
  }
  static std::string Data(const char* entry) {
    if (std::string(entry) == "@") return "\"" + platform::ModuleFileName() + "\"";
    if (std::string(entry) == "~") return platform::ModuleFileName();  // as older copies wrote it
    return *entry ? entry : "<none>";
  }
  static std::string Entry(HKEY root) {
    char data[512] = {};
    DWORD size = sizeof data;
    if (::RegGetValueA(root, kRun, "Driftline", RRF_RT_REG_SZ, nullptr, data, &size))
      return "<none>";
    return data;
  }
};

TEST_F(OptionsRunEntries, ShowTheEntriesThatNameThisProgramAndOkWritesWhatIsChecked) {
  const std::string program = platform::ModuleFileName();
  SetEntry(HKEY_CURRENT_USER, "D:\\Elsewhere\\dftline.exe");
  SetEntry(HKEY_LOCAL_MACHINE, program);  // unquoted, as older copies wrote it
  {
    TOptionsForm form(*bar);
    EXPECT_TRUE(Checked(form, IDC_RUN_FOR_ALL));
    EXPECT_FALSE(Checked(form, IDC_RUN_FOR_USER));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(form.Handle(), IDC_RUN_FOR_USER)));
    ::SendMessageA(::GetDlgItem(form.Handle(), IDC_RUN_FOR_ALL), BM_CLICK, 0, 0);
    ::SendMessageA(::GetDlgItem(form.Handle(), IDC_RUN_FOR_USER), BM_CLICK, 0, 0);
    form.ButtonOkClick();
  }
  EXPECT_EQ(Entry(HKEY_LOCAL_MACHINE), "<none>");
  EXPECT_EQ(Entry(HKEY_CURRENT_USER), "\"" + program + "\"");
  TOptionsForm again(*bar);
  EXPECT_TRUE(Checked(again, IDC_RUN_FOR_USER));
}

struct RunEntryCase {
  const char* what;
  const char* user;  // the entries before and after; "@": this program's, "~" unquoted, "": none
  const char* all;
  std::vector<UINT> clicks;
  const char* userAfter;
  const char* allAfter;
};

class OptionsOthersRunEntries : public OptionsRunEntries,
                                public testing::WithParamInterface<RunEntryCase> {};

// Entries that are not this program's belong to another copy or program: they stay, and a
// box the user left as it was touches nothing, so a standard user's Ok logs nothing.
TEST_P(OptionsOthersRunEntries, SurviveAnOkAndOnlyAChangedBoxTouchesItsEntry) {
  const RunEntryCase& c = GetParam();
  if (*c.user) SetEntry(HKEY_CURRENT_USER, Data(c.user));
  if (*c.all) SetEntry(HKEY_LOCAL_MACHINE, Data(c.all));
  bar->LogSink().SetFileLog(true);
  {
    TOptionsForm form(*bar);
    for (UINT id : c.clicks) Click(form, id);
    form.ButtonOkClick();
  }
  EXPECT_EQ(Entry(HKEY_CURRENT_USER), Data(c.userAfter));
  EXPECT_EQ(Entry(HKEY_LOCAL_MACHINE), Data(c.allAfter));
  EXPECT_EQ(ReadWholeFile(bar->LogSink().LogFilePath()).find("Cannot save"), std::string::npos);
}

constexpr const char* kOther = "C:\\Tools\\other.exe";
constexpr const char* kElsewhere = "\"D:\\Elsewhere\\dftline.exe\"";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, OptionsOthersRunEntries, testing::Values(
    RunEntryCase{"OthersUnchanged", kOther, kElsewhere, {}, kOther, kElsewhere},
    RunEntryCase{"ACopyElsewhereCheckedAndUnchecked", kElsewhere, "",
                 {IDC_RUN_FOR_USER, IDC_RUN_FOR_USER}, kElsewhere, ""},
    RunEntryCase{"AnotherProgramUnderOursForAll", kOther, "@", {IDC_RUN_FOR_ALL}, kOther, ""},
    RunEntryCase{"NoneStaysNone", "", "", {IDC_RUN_FOR_ALL, IDC_RUN_FOR_ALL}, "", ""},
    RunEntryCase{"OursForTheUserKept", "@", kOther, {}, "@", kOther},
    RunEntryCase{"OursUnquotedLeftAsItWas", "~", "", {}, "~", ""},
    RunEntryCase{"OursInBothWhereOnlyAllUsersShows", "@", "@", {}, "@", "@"}),
    [](const testing::TestParamInfo<RunEntryCase>& info) { return info.param.what; });
// clang-format on

struct ReplacedCase {
  const char* what;
  const char* meanwhile;  // the entry after another tool or copy changed it; "": removed
};

class OptionsReplacedRunEntry : public OptionsRunEntries,
                                public testing::WithParamInterface<ReplacedCase> {};

// The box was checked for this program's entry, and something else changed the entry while the
// dialog was open: unchecking removes nothing but this program's, and says nothing.
TEST_P(OptionsReplacedRunEntry, UncheckingRemovesOnlyThisProgramsEntryQuietly) {
  const ReplacedCase& c = GetParam();
  SetEntry(HKEY_CURRENT_USER, Data("@"));
  bar->LogSink().SetFileLog(true);
  TOptionsForm form(*bar);
  ASSERT_TRUE(Checked(form, IDC_RUN_FOR_USER));
  ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun, "Driftline");
  if (*c.meanwhile) SetEntry(HKEY_CURRENT_USER, Data(c.meanwhile));
  Click(form, IDC_RUN_FOR_USER);
  form.ButtonOkClick();
  EXPECT_EQ(Entry(HKEY_CURRENT_USER), Data(c.meanwhile));
  EXPECT_EQ(ReadWholeFile(bar->LogSink().LogFilePath()).find("Cannot save"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, OptionsReplacedRunEntry,
                         testing::Values(ReplacedCase{"Removed", ""},
                                         ReplacedCase{"ByACopyElsewhere", kElsewhere}),
                         [](const testing::TestParamInfo<ReplacedCase>& info) {
                           return info.param.what;
                         });

TEST_F(OptionsForm, TheStorageChoicesActAtOnceAndCancelPutsThemBack) {
  TOptionsForm form(*bar);
  ::SendMessageA(::GetDlgItem(form.Handle(), IDC_USE_INI), BM_CLICK, 0, 0);
  ::SendMessageA(::GetDlgItem(form.Handle(), IDC_ALL_USERS), BM_CLICK, 0, 0);
  EXPECT_TRUE(bar->Store().Properties().UseIni);
  EXPECT_TRUE(bar->Store().Properties().AllUsers);
  form.ButtonCancelClick();
  EXPECT_FALSE(bar->Store().Properties().UseIni);
  EXPECT_FALSE(bar->Store().Properties().AllUsers);
}

}  // namespace

namespace {

TEST_F(OptionsForm, ALogoPickedShowsAtOnceAndCancelPutsTheOldOneBack) {
  const std::string logo = TempFilePath("driftline-options-logo.bmp");
  WriteBitmap(logo, 20, 10);
  bar->LogSink().SetFileLog(true);
  {
    TOptionsForm form(*bar);
    {
      OpenDialogAnswer pick(form.Handle(), logo);
      ::SendMessageA(::GetDlgItem(form.Handle(), IDC_LOGO_FILE_BUTTON), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(bar->Values().LogoFile, logo);
    EXPECT_NE(bar->Logo(), nullptr);
    form.ButtonCancelClick();
  }
  EXPECT_EQ(bar->Values().LogoFile, "");
  EXPECT_EQ(bar->Logo(), nullptr) << "the bar had no picture";
  EXPECT_NE(ReadWholeFile(bar->LogSink().LogFilePath()).find("Options canceled: Load logo file "),
            std::string::npos);
  ::DeleteFileA(logo.c_str());
}

TEST_F(OptionsForm, ChoosingTheSameLogoFileAgainLoadsItAgain) {
  const std::string logo = TempFilePath("driftline-options-same.bmp");
  WriteBitmap(logo, 20, 10);
  TOptionsForm form(*bar);
  const auto pick = [&] {
    OpenDialogAnswer answer(form.Handle(), logo);
    Click(form, IDC_LOGO_FILE_BUTTON);
  };
  pick();
  ASSERT_NE(bar->Logo(), nullptr);
  EXPECT_EQ(bar->Logo()->Width(), 20);
  WriteBitmap(logo, 30, 10);  // edited on disk
  pick();
  ASSERT_NE(bar->Logo(), nullptr);
  EXPECT_EQ(bar->Logo()->Width(), 30);
  form.ButtonCancelClick();
  ::DeleteFileA(logo.c_str());
}

TEST_F(OptionsForm, ALocalFilePickedShowsAtOnceAndCancelGoesBackToTheWebSource) {
  Change([](core::TickerSettings& v) {
    v.UseFileUrl = true;
    v.FileUrl = "http://127.0.0.1:1/news.txt";
  });
  const std::string picked = TempFilePath("driftline-options-picked.txt");
  WriteWholeFile(picked, "picked\r\n");
  TOptionsForm form(*bar);
  {
    OpenDialogAnswer pick(form.Handle(), picked);
    ::SendMessageA(::GetDlgItem(form.Handle(), IDC_LOCAL_FILE_BUTTON), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(bar->Values().File, picked);
  EXPECT_FALSE(bar->Values().UseFileUrl);
  EXPECT_EQ(Shown(), "picked ");
  form.ButtonCancelClick();
  EXPECT_EQ(bar->Values().File, file_);
  EXPECT_TRUE(bar->Values().UseFileUrl) << "the source the user had";
  ::DeleteFileA(picked.c_str());
}

}  // namespace

namespace {

TEST_F(OptionsForm, OnTheNineXFamilyTheWebChoiceIsOffAndSaysWhy) {
  Change([](core::TickerSettings& v) { v.UseFileUrl = true; });
  TOptionsForm form(*bar, WindowsFamily::Legacy);
  HWND web = ::GetDlgItem(form.Handle(), IDC_USE_WEB_FILE);
  char caption[96] = {};
  ::GetWindowTextA(web, caption, sizeof caption);
  EXPECT_STREQ(caption, "Use &web file (not available for this version of Windows)");
  EXPECT_FALSE(::IsWindowEnabled(web));
  form.ButtonOkClick();
  EXPECT_FALSE(bar->Values().UseFileUrl);
}

}  // namespace
