// The options dialog's frame: opening beside the bar, the tabs, filling and the snapshot, Ok,
// Cancel, the keys and closing.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <limits>

#include "core/program/OptionsRules.h"
#include "dialogs/OptionsControls.h"
#include "platform/Dpi.h"
#include "platform/Monitors.h"

namespace {

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr const char* kPageNames[kPageCount] = {"Main", "File", "Lines", "Scroll",
                                                "Auto", "Logo", "Sound", "Settings"};

}  // namespace

TOptionsForm::TOptionsForm(BarOperations& bar)
    : TOptionsForm(bar, bar.LegacyWindows() ? WindowsFamily::Legacy : WindowsFamily::Current) {}

TOptionsForm::TOptionsForm(BarOperations& bar, WindowsFamily family)
    : bar_(bar),
      dpi_(platform::DpiOf(bar.BarWindow())),
      font_(platform::CreateDialogFont(dpi_)),
      family_(family) {
  platform::WindowPlacement placement;
  placement.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  placement.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  placement.width = platform::Scaled(kWidth, dpi_);
  placement.height = platform::Scaled(kHeight, dpi_);
  // Created on the bar's monitor, so that the controls take its density.
  const core::Rect barBounds = platform::WindowBounds(bar.BarWindow());
  placement.x = barBounds.left;
  placement.y = barBounds.top;
  placement.parent = bar.BarWindow();
  CreateHandle({.name = "TOptionsForm", .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
               kTitle, placement);
  CreateControls();
  core::Value stored(core::kActiveTabDefault);
  bar_.GetStoredValue(core::kActiveTabName, stored);
  std::array<bool, kPageCount> visible{};
  for (int page = 0; page < kPageCount; ++page) visible[page] = tabs_->TabVisible(page);
  const auto* index = std::get_if<std::int32_t>(&stored);
  ShowPage(core::PageOfActiveTab(index ? *index : 0, visible));
  Place();
  loading_ = true;
  GetSettings();
  loading_ = false;
  AddPolicyNotes();
}

TOptionsForm::~TOptionsForm() {
  StoreActiveTab();
}

void TOptionsForm::StoreActiveTab() {
  bar_.SetStoredValue(core::kActiveTabName, core::Value(std::int32_t{ActivePage()}));
}

void TOptionsForm::CreateControls() {
  tabs_ = std::make_unique<platform::TabControl>(Handle(), platform::ControlBounds{8, 8, 490, 321},
                                                 IDC_TABS, font_.get(), 60);
  for (const char* name : kPageNames) tabs_->AddTab(name);
  // The pages' controls lie over the tab control, which must not paint over them.
  ::SetWindowLongA(tabs_->Handle(), GWL_STYLE,
                   ::GetWindowLongA(tabs_->Handle(), GWL_STYLE) | WS_CLIPSIBLINGS);
  ::SetWindowPos(tabs_->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // Without a settings file of its own choice, the bar keeps no Settings page.
  if (bar_.ForcedIniFile()) tabs_->SetTabVisible(kSettingsPage, false);
  ok_ =
      std::make_unique<platform::Button>(Handle(), "Ok", platform::ControlBounds{327, 340, 75, 25},
                                         IDOK, font_.get(), platform::ButtonRole::Default);
  cancel_ = std::make_unique<platform::Button>(
      Handle(), "Cancel", platform::ControlBounds{423, 340, 75, 25}, IDCANCEL, font_.get());
  anchors_.Add(tabs_->Handle(),
               platform::kAnchorLeft | platform::kAnchorTop | platform::kAnchorRight);
  anchors_.Add(ok_->Handle(), platform::kAnchorRight | platform::kAnchorBottom);
  anchors_.Add(cancel_->Handle(), platform::kAnchorRight | platform::kAnchorBottom);
  const RECT area = tabs_->PageArea();
  CreateMainPage(area);
  CreateLinesPage(area);
  CreateScrollPage(area);
  CreateAutoPage(area);
  CreateFilePage(area);
  CreateLogoPage(area);
  CreateSoundPage(area);
  CreateSettingsPage(area);
  AdjustForUserAndSystem();
}

void TOptionsForm::Place() {
  const core::Rect bar = platform::WindowBounds(bar_.BarWindow());
  const std::vector<core::Rect> monitors = platform::MonitorBounds();
  const core::Rect monitor = monitors[core::MonitorIndexAt(monitors, {bar.left, bar.top})];
  const core::Point at =
      core::OptionsDialogPlace(bar, bar_.DockEdge(), platform::Scaled(kWidth, dpi_),
                               platform::Scaled(kHeight, dpi_), monitor);
  ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TOptionsForm::ActivePage() const {
  return tabs_->Selected();
}

void TOptionsForm::ShowPage(int page) {
  tabs_->Select(page);
  if (page == kLogoPage) TabSheet4Show();
  for (int each = 0; each < kPageCount; ++each) {
    for (HWND window : pageWindows_[each]) {
      const bool hidden = std::ranges::find(hiddenByRule_, window) != hiddenByRule_.end();
      ::ShowWindow(window, each == page && !hidden ? SW_SHOW : SW_HIDE);
    }
  }
  // What the hidden controls covered is painted over at once, not left until something else
  // asks for the form to be drawn.
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TOptionsForm::SetControlShown(HWND control, bool shown) {
  std::erase(hiddenByRule_, control);
  if (!shown) hiddenByRule_.push_back(control);
  const std::vector<HWND>& current = pageWindows_[ActivePage()];
  const bool onCurrentPage = std::ranges::find(current, control) != current.end();
  ::ShowWindow(control, shown && onCurrentPage ? SW_SHOW : SW_HIDE);
}

void TOptionsForm::Apply(const std::function<void(core::TickerSettings&)>& change) {
  core::TickerSettings values = bar_.Values();
  change(values);
  bar_.ApplyValues(values);
}

void TOptionsForm::TakeSnapshot() {
  snapshot_ = bar_.Values();
  snapshotFont_ = bar_.BarFont();
  snapshotUseIni_ = bar_.StoreProperties().UseIni;
  snapshotAllUsers_ = bar_.StoreProperties().AllUsers;
}

// Setting a box runs its handler, as the user's change would; the handlers change nothing on the
// bar while filling, since they apply the bar's own values.
void TOptionsForm::GetSettings() {
  FillRunEntries();
  TakeSnapshot();
  const core::TickerSettings& v = snapshot_;
  lines_->useComment.SetChecked(v.UseComment);
  lines_->comment.SetText(v.CommentStr);
  lines_->separator.SetText(v.FeedSeparator);
  lines_->sourceNames.SetChecked(v.ShowSourceNames);
  scroll_->amount.SetValue(v.Amount);
  scroll_->delay.SetRange(1, kMaxInt);
  scroll_->delay.SetValue(v.Delay);
  main_->hideTrayIcon.SetChecked(v.HideTrayicon);
  auto_->hideOnMissing.SetChecked(v.HideOnMissing);
  auto_->hideOnEmpty.SetChecked(v.HideOnEmpty);
  auto_->autoReload.SetChecked(v.UseAutoReload);
  auto_->reloadTime.SetValue(core::SecondsShown(v.GetFileDelay, core::kAutoMaxSeconds));
  lines_->wholeFile.SetChecked(true);
  if (v.LoadFirstLines) lines_->firstLines.SetChecked(true);
  if (v.LoadLastLines) lines_->lastLines.SetChecked(true);
  lines_->linesToLoad.SetValue(v.LinesToLoad);
  main_->vertical.SetChecked(v.Vertical);
  main_->horizontal.SetChecked(!v.Vertical);
  auto_->showOnChange.SetChecked(v.ShowOnChange);
  scroll_->lineDelay.SetValue(core::SecondsShown(v.VertLineDelay, core::kLineDelayMaxSeconds));
  scroll_->vertDelay.SetRange(1, kMaxInt);
  scroll_->vertDelay.SetValue(v.VertScrollDelay);
  scroll_->vertAmount.SetRange(1, kMaxInt);
  scroll_->vertAmount.SetValue(v.VertScrollAmount);
  auto_->hideOnTimer.SetChecked(v.HideOnTimer);
  auto_->hideTime.SetValue(core::SecondsShown(v.HideTimeDelay, core::kAutoMaxSeconds));
  auto_->unpause.SetChecked(v.UnPauseOnTimer);
  auto_->pauseTime.SetValue(core::SecondsShown(v.PauseTimeout, core::kAutoMaxSeconds));
  main_->alwaysOnTop.SetChecked(v.AlwaysOnTop);
  main_->doNotAdjustDesktop.SetChecked(v.DoNotAdjustDesktop);
  main_->frame.SetChecked(v.Frame);
  auto_->showOnMouseOver.SetChecked(v.ShowOnMouseOver);
  linesChanged_ = false;
  FillFilePages();
  main_->totallyHide.SetChecked(v.TotallyHide);
  // What the boxes' handlers would have done as they were set.
  EnableRows();
  TotallyHideClick();
}

void TOptionsForm::ButtonOkClick() {
  // Nothing is applied while the user would rather correct a path.
  if (!CheckFilesExist()) return;
  core::TickerSettings values = bar_.Values();
  values.GetFileDelay = core::IntervalOfSeconds(auto_->reloadTime.Value());
  values.UseAutoReload = auto_->autoReload.Checked();
  values.ShowOnChange = auto_->showOnChange.Checked();
  values.SoundOnChange = sound_->soundOnChange.Checked();
  values.HideOnMissing = auto_->hideOnMissing.Checked();
  values.HideOnEmpty = auto_->hideOnEmpty.Checked();
  values.HideOnTimer = auto_->hideOnTimer.Checked();
  values.HideTimeDelay = core::IntervalOfSeconds(auto_->hideTime.Value());
  values.UnPauseOnTimer = auto_->unpause.Checked();
  values.PauseTimeout = core::IntervalOfSeconds(auto_->pauseTime.Value());
  values.UseComment = lines_->useComment.Checked();
  values.CommentStr = lines_->comment.Text();
  values.FeedSeparator = lines_->separator.Text();
  values.ShowSourceNames = lines_->sourceNames.Checked();
  // Headlines carry their separator from the read: a new one needs the feed read again.
  const bool reread = linesChanged_ || values.FeedSeparator != bar_.Values().FeedSeparator;
  if (linesChanged_) {
    values.LoadFirstLines = lines_->firstLines.Checked();
    values.LoadLastLines = lines_->lastLines.Checked();
    values.LinesToLoad = lines_->linesToLoad.Value();
  }
  bar_.ApplyValues(values);
  if (reread) {
    // The new selection and separator apply to the text read again.
    bar_.ReadSourceNow();
  }
  ApplyFilePages();
  EndModal(IDOK);
}

void TOptionsForm::ButtonCancelClick() {
  const core::TickerSettings& s = snapshot_;
  bar_.SetBarFont(snapshotFont_);
  Apply([&s](core::TickerSettings& v) {
    v.Color = s.Color;
    v.Delay = s.Delay;
    v.Amount = s.Amount;
    v.HideTrayicon = s.HideTrayicon;
    v.Vertical = s.Vertical;
    v.VertScrollAmount = s.VertScrollAmount;
    v.VertScrollDelay = s.VertScrollDelay;
    v.VertLineDelay = s.VertLineDelay;
    v.HideOnMissing = s.HideOnMissing;
    v.HideOnEmpty = s.HideOnEmpty;
    v.UseComment = s.UseComment;
    v.CommentStr = s.CommentStr;
    v.UseLogo = s.UseLogo;
    v.LogoRight = s.LogoRight;
    v.AlwaysOnTop = s.AlwaysOnTop;
    v.DoNotAdjustDesktop = s.DoNotAdjustDesktop;
  });
  bar_.PreviewColor(static_cast<std::uint32_t>(bar_.Values().Color));
  if (bar_.Values().LogoFile != s.LogoFile) {
    bar_.Log("Options canceled: Load logo file " + s.LogoFile);
    ApplyValue(&core::TickerSettings::LogoFile, s.LogoFile);
  }
  if (bar_.Values().File != s.File || bar_.Values().UseFileUrl != s.UseFileUrl) {
    // The source the user had, not a local file that Load File chose meanwhile.
    Apply([&s](core::TickerSettings& v) {
      v.File = s.File;
      v.UseFileUrl = s.UseFileUrl;
    });
    bar_.ReadSourceNow();
  }
  bar_.SetFrame(s.Frame);
  bar_.StoreProperties().UseIni = snapshotUseIni_;
  bar_.StoreProperties().AllUsers = snapshotAllUsers_;
  bar_.aRestoreExecute();
  bar_.FormResize();
  EndModal(IDCANCEL);
}

// The dialog sees Enter and Escape before any control: in a multi-line field they would
// otherwise be typed.
bool TOptionsForm::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_ESCAPE) {
    cancel_->Click();
    return true;
  }
  if (message.wParam != VK_RETURN) return false;
  // Keys go to the control that has the focus.
  HWND focus = message.hwnd;
  char className[16] = {};
  ::GetClassNameA(focus, className, sizeof className);
  const bool button = lstrcmpiA(className, "Button") == 0 &&
                      (::GetWindowLongA(focus, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
  if (button) {
    ::SendMessageA(focus, BM_CLICK, 0, 0);
  } else {
    ok_->Click();
  }
  return true;
}

LRESULT TOptionsForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnClicked(LOWORD(wParam));
      if (HIWORD(wParam) == EN_CHANGE) OnChanged(LOWORD(wParam));
      if (HIWORD(wParam) == EN_KILLFOCUS && LOWORD(wParam) == IDC_FILE_URL) CheckFileUrl();
      // Whatever a handler enabled, also while the dialog fills itself.
      DisableFieldsSetByPolicy();
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == IDC_TABS && header->code == TCN_SELCHANGE) ShowPage(tabs_->Selected());
      return 0;
    }
    case WM_ENDSESSION:
      // The process may end before the dialog closes: the page goes into the store now.
      if (wParam) {
        StoreActiveTab();
        bar_.SaveTickerSettings();
      }
      return 0;
    case WM_SIZE: anchors_.ParentResized(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {platform::Scaled(kWidth, dpi_), platform::Scaled(kHeight, dpi_)};
      return 0;
    }
    default: return ModalForm::HandleMessage(message, wParam, lParam);
  }
}
