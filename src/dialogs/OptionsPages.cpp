// The Main, Lines, Scroll and Auto pages of the options dialog: their controls and handlers.

#include <limits>

#include "core/program/OptionsRules.h"
#include "dialogs/OptionsControls.h"

namespace {

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr int kRow = 26;

// Rows of a page: controls at the page's left plus an indent, one row below the other.
struct Rows {
  int left;
  int top;
  platform::ControlBounds At(int row, int indent, int width, int height = 20) const {
    return {left + indent, top + row * kRow, width, height};
  }
};

Rows RowsIn(const RECT& area) {
  return {static_cast<int>(area.left) + 12, static_cast<int>(area.top) + 12};
}

}  // namespace

void TOptionsForm::CreateMainPage(const RECT& area) {
  const Rows rows = RowsIn(area);
  const HWND form = Handle();
  HFONT font = font_.get();
  main_.reset(new MainControls{
      {form, "&Font", rows.At(0, 0, 100, 25), IDC_FONT, font},
      {form, "Font &Color", rows.At(0, 110, 100, 25), IDC_FONT_COLOR, font},
      {form, "&Bar Color", rows.At(0, 220, 100, 25), IDC_BAR_COLOR, font},
      {form, "Scroll &Horizontally", rows.At(1, 0, 200), IDC_HORIZONTAL, font,
       platform::RadioGroup::Starts},
      {form, "Scroll &Vertically", rows.At(1, 220, 200), IDC_VERTICAL, font},
      {form, "F&rame", rows.At(2, 0, 440), IDC_FRAME, font},
      {form, "&Always On Top", rows.At(3, 0, 440), IDC_ALWAYS_ON_TOP, font},
      {form, "&Do not adjust desktop", rows.At(4, 0, 440), IDC_DO_NOT_ADJUST_DESKTOP, font},
      {form, "Hide tray icon &unless ticker is hidden", rows.At(5, 0, 440), IDC_HIDE_TRAY_ICON,
       font},
      {form, "Com&pletely hide ticker instead of minimize", rows.At(6, 0, 440), IDC_TOTALLY_HIDE,
       font},
  });
  MainControls& c = *main_;
  pageWindows_[kMainPage] = {c.font.Handle(),         c.fontColor.Handle(),
                             c.barColor.Handle(),     c.horizontal.Handle(),
                             c.vertical.Handle(),     c.frame.Handle(),
                             c.alwaysOnTop.Handle(),  c.doNotAdjustDesktop.Handle(),
                             c.hideTrayIcon.Handle(), c.totallyHide.Handle()};
}

void TOptionsForm::CreateLinesPage(const RECT& area) {
  const Rows rows = RowsIn(area);
  const HWND form = Handle();
  HFONT font = font_.get();
  lines_.reset(new LinesControls{
      {form, "Scroll &Whole File", rows.At(0, 0, 300), IDC_WHOLE_FILE, font,
       platform::RadioGroup::Starts},
      {form, "Scroll &First Lines", rows.At(1, 0, 300), IDC_FIRST_LINES, font},
      {form, "Scroll &Last Lines", rows.At(2, 0, 300), IDC_LAST_LINES, font},
      {form, "&Number of lines to scroll", rows.At(3, 20, 180), font},
      {form, rows.At(3, 210, 90, 22), IDC_LINES_TO_LOAD, font, 1, 1000000},
      {form, "&Ignore Lines Starting With", rows.At(5, 0, 200), IDC_USE_COMMENT, font},
      {form, rows.At(5, 210, 120, 22), IDC_COMMENT, font},
      {form, "Feed headline &separator", rows.At(6, 0, 200), font},
      {form, rows.At(6, 210, 120, 22), IDC_FEED_SEPARATOR, font},
      {form, "S&how source names", rows.At(7, 0, 300), IDC_SHOW_SOURCE_NAMES, font},
  });
  LinesControls& c = *lines_;
  pageWindows_[kLinesPage] = {
      c.wholeFile.Handle(),  c.firstLines.Handle(), c.lastLines.Handle(),
      c.linesLabel.Handle(), c.linesToLoad.Field(), c.linesToLoad.UpDown(),
      c.useComment.Handle(), c.comment.Handle(),    c.separatorLabel.Handle(),
      c.separator.Handle(),  c.sourceNames.Handle()};
}

void TOptionsForm::CreateScrollPage(const RECT& area) {
  const Rows rows = RowsIn(area);
  const HWND form = Handle();
  HFONT font = font_.get();
  scroll_.reset(new ScrollControls{
      {form, "Horizontal", {rows.left, rows.top, 450, 3 * kRow + 4}, font},
      {form, "&Scroll Delay (milliseconds)", rows.At(1, 12, 240), font},
      {form, rows.At(1, 270, 100, 22), IDC_DELAY, font, 1, kMaxInt},
      {form, "Scroll &Distance (pixels, 1 to 20)", rows.At(2, 12, 240), font},
      {form, rows.At(2, 270, 100, 22), IDC_AMOUNT, font, 1, 20},
      {form, "Vertical", {rows.left, rows.top + 4 * kRow, 450, 4 * kRow + 4}, font},
      {form, "&Line Delay (seconds)", rows.At(5, 12, 240), font},
      {form, rows.At(5, 270, 100, 22), IDC_LINE_DELAY, font, 1, core::kLineDelayMaxSeconds},
      {form, "Scroll Delay (&milliseconds)", rows.At(6, 12, 240), font},
      {form, rows.At(6, 270, 100, 22), IDC_VERT_SCROLL_DELAY, font, 1, 20},
      {form, "Scroll Distance (&pixels)", rows.At(7, 12, 240), font},
      {form, rows.At(7, 270, 100, 22), IDC_VERT_SCROLL_AMOUNT, font, 1, 20},
  });
  ScrollControls& c = *scroll_;
  pageWindows_[kScrollPage] = {c.horizontalGroup.Handle(), c.delayLabel.Handle(),
                               c.amountLabel.Handle(),     c.delay.Field(),
                               c.delay.UpDown(),           c.amount.Field(),
                               c.amount.UpDown(),          c.verticalGroup.Handle(),
                               c.lineDelayLabel.Handle(),  c.vertDelayLabel.Handle(),
                               c.vertAmountLabel.Handle(), c.lineDelay.Field(),
                               c.lineDelay.UpDown(),       c.vertDelay.Field(),
                               c.vertDelay.UpDown(),       c.vertAmount.Field(),
                               c.vertAmount.UpDown()};
}

void TOptionsForm::CreateAutoPage(const RECT& area) {
  const Rows rows = RowsIn(area);
  const HWND form = Handle();
  HFONT font = font_.get();
  const core::AutoCaptions captions = core::AutoPageCaptions(false);
  // Each field follows its box in the keyboard order.
  auto_.reset(new AutoControls{
      {form, captions.missing, rows.At(0, 0, 440), IDC_HIDE_ON_MISSING, font},
      {form, captions.empty, rows.At(1, 0, 440), IDC_HIDE_ON_EMPTY, font},
      {form, captions.after, rows.At(2, 0, 340), IDC_HIDE_ON_TIMER, font},
      {form, rows.At(2, 350, 90, 22), IDC_HIDE_TIME, font, 1, core::kAutoMaxSeconds},
      {form, "&Reload file every (seconds)", rows.At(3, 0, 340), IDC_AUTO_RELOAD, font},
      {form, rows.At(3, 350, 90, 22), IDC_RELOAD_TIME, font, 1, core::kAutoMaxSeconds},
      {form, captions.change, rows.At(4, 0, 440), IDC_SHOW_ON_CHANGE, font},
      {form, "If minimized (not hidden), show ticker on mouse mo&ve to edge", rows.At(5, 0, 440),
       IDC_SHOW_ON_MOUSE_OVER, font},
      {form, "Un&pause after (seconds)", rows.At(6, 0, 340), IDC_UNPAUSE, font},
      {form, rows.At(6, 350, 90, 22), IDC_PAUSE_TIME, font, 1, core::kAutoMaxSeconds},
  });
  AutoControls& c = *auto_;
  pageWindows_[kAutoPage] = {
      c.hideOnMissing.Handle(),   c.hideOnEmpty.Handle(), c.hideOnTimer.Handle(),
      c.hideTime.Field(),         c.hideTime.UpDown(),    c.autoReload.Handle(),
      c.reloadTime.Field(),       c.reloadTime.UpDown(),  c.showOnChange.Handle(),
      c.showOnMouseOver.Handle(), c.unpause.Handle(),     c.pauseTime.Field(),
      c.pauseTime.UpDown()};
}

void TOptionsForm::OnClicked(UINT id) {
  if (OnFilePagesClicked(id)) return;
  switch (id) {
    case IDOK: ButtonOkClick(); break;
    case IDCANCEL: ButtonCancelClick(); break;
    case IDC_FONT: FontClick(); break;
    case IDC_FONT_COLOR: FontColorClick(); break;
    case IDC_BAR_COLOR: BarColorClick(); break;
    case IDC_HORIZONTAL:
    case IDC_VERTICAL:
      (id == IDC_VERTICAL ? main_->vertical : main_->horizontal).SetChecked(true);
      ApplyValue(&core::TickerSettings::Vertical, main_->vertical.Checked());
      break;
    case IDC_FRAME:
      if (!loading_) bar_.SetFrame(main_->frame.Checked());
      break;
    case IDC_ALWAYS_ON_TOP:
      ApplyValue(&core::TickerSettings::AlwaysOnTop, main_->alwaysOnTop.Checked());
      break;
    case IDC_DO_NOT_ADJUST_DESKTOP:
      ApplyValue(&core::TickerSettings::DoNotAdjustDesktop, main_->doNotAdjustDesktop.Checked());
      break;
    case IDC_HIDE_TRAY_ICON:
      // While the bar is minimized its icon stays: the bar applies that rule.
      ApplyValue(&core::TickerSettings::HideTrayicon, main_->hideTrayIcon.Checked());
      break;
    case IDC_TOTALLY_HIDE: TotallyHideClick(); break;
    case IDC_WHOLE_FILE:
    case IDC_FIRST_LINES:
    case IDC_LAST_LINES: LineChoiceClick(id); break;
    case IDC_SHOW_ON_MOUSE_OVER:
      ApplyValue(&core::TickerSettings::ShowOnMouseOver, auto_->showOnMouseOver.Checked());
      break;
    case IDC_USE_COMMENT:
    case IDC_HIDE_ON_TIMER:
    case IDC_AUTO_RELOAD:
    case IDC_UNPAUSE: {
      EnableRows();
      // The field that has just become usable takes the keyboard.
      const std::array<std::pair<UINT, HWND>, 4> fields{
          std::pair{IDC_USE_COMMENT, lines_->comment.Handle()},
          std::pair{IDC_HIDE_ON_TIMER, auto_->hideTime.Field()},
          std::pair{IDC_AUTO_RELOAD, auto_->reloadTime.Field()},
          std::pair{IDC_UNPAUSE, auto_->pauseTime.Field()}};
      for (const auto& [box, field] : fields) {
        if (box == id && ::IsWindowVisible(Handle()) && ::IsWindowEnabled(field)) ::SetFocus(field);
      }
      break;
    }
    default: break;
  }
}

void TOptionsForm::OnChanged(UINT id) {
  switch (id) {
    case IDC_LINES_TO_LOAD: linesChanged_ = true; break;
    case IDC_DELAY: ApplyValue(&core::TickerSettings::Delay, scroll_->delay.Value()); break;
    case IDC_AMOUNT: ApplyValue(&core::TickerSettings::Amount, scroll_->amount.Value()); break;
    case IDC_LINE_DELAY: {
      // Filling leaves the interval as it is: whole seconds would round it down.
      if (loading_) break;
      ApplyValue(&core::TickerSettings::VertLineDelay,
                 core::IntervalOfSeconds(scroll_->lineDelay.Value()));
      break;
    }
    case IDC_VERT_SCROLL_DELAY:
      ApplyValue(&core::TickerSettings::VertScrollDelay, scroll_->vertDelay.Value());
      break;
    case IDC_VERT_SCROLL_AMOUNT:
      ApplyValue(&core::TickerSettings::VertScrollAmount, scroll_->vertAmount.Value());
      break;
    default: break;
  }
}

void TOptionsForm::FontClick() {
  if (const auto font = platform::ChooseFontSpec(Handle(), bar_.BarFont())) {
    bar_.SetBarFont(*font);
  }
  bar_.aRestoreExecute();
  bar_.FormResize();
  bar_.RestackVerticalLines();
}

void TOptionsForm::FontColorClick() {
  if (const auto color = colorDialog_.Choose(Handle())) {
    ApplyValue(&core::TickerSettings::FontColor, static_cast<std::int32_t>(*color));
  }
}

void TOptionsForm::BarColorClick() {
  if (const auto color = colorDialog_.Choose(Handle())) {
    ApplyValue(&core::TickerSettings::Color, static_cast<std::int32_t>(*color));
  }
  bar_.PreviewColor(static_cast<std::uint32_t>(bar_.Values().Color));
}

void TOptionsForm::TotallyHideClick() {
  const bool hide = main_->totallyHide.Checked();
  ApplyValue(&core::TickerSettings::TotallyHide, hide);
  const core::AutoCaptions captions = core::AutoPageCaptions(hide);
  auto_->hideOnMissing.SetText(captions.missing);
  auto_->hideOnEmpty.SetText(captions.empty);
  auto_->hideOnTimer.SetText(captions.after);
  auto_->showOnChange.SetText(captions.change);
  // A bar hidden completely leaves no edge for the mouse.
  auto_->showOnMouseOver.SetEnabled(!hide);
}

void TOptionsForm::LineChoiceClick(UINT id) {
  // The system clears the group's other buttons only where it can see them.
  for (platform::RadioButton* choice :
       {&lines_->wholeFile, &lines_->firstLines, &lines_->lastLines}) {
    if (choice->Id() == id) choice->SetChecked(true);
  }
  EnableRows();
  if (!loading_) linesChanged_ = true;
}

void TOptionsForm::EnableRows() {
  const bool someLines = !lines_->wholeFile.Checked();
  lines_->linesLabel.SetEnabled(someLines);
  lines_->linesToLoad.SetEnabled(someLines);
  lines_->comment.SetEnabled(lines_->useComment.Checked());
  auto_->hideTime.SetEnabled(auto_->hideOnTimer.Checked());
  auto_->reloadTime.SetEnabled(auto_->autoReload.Checked());
  auto_->pauseTime.SetEnabled(auto_->unpause.Checked());
}
