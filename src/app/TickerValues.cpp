// The stored values: defaults, reading them, applying what changed, writing them back, and the
// delayed save.

#include <utility>

#include "app/Ticker.h"

// The defaults become the bar's values. At start-up ReadTickerSettings applies them together
// with what the store holds, so that nothing is applied twice; later they apply at once.
void TForm1::ResetTickerSettings() {
  Settings1->SetValue(core::kActiveTabName, core::Value(core::kActiveTabDefault));
  ShowDefaultText();
  if (startingUp_) {
    values_ = core::TickerSettings{};
  } else {
    ApplyValues(core::TickerSettings{});
  }
}

void TForm1::WriteTickerSettings() {
  RecordPlacement();
  core::StoreTickerSettings(policy_.Stored(values_), Settings1->Values());
}

void TForm1::SaveTickerSettings() {
  WriteTickerSettings();
  Settings1->SaveSettings();
}

void TForm1::ReadTickerSettings() {
  ResetTickerSettings();
  // The defaults in the table give each value its type for reading.
  core::StoreTickerSettings(values_, Settings1->Values());
  Settings1->GetSettings();
  for (const std::string& line : core::ClampTickerValues(Settings1->Values())) Log(line);
  values_ = policy_.Replace(ReadPolicies(), core::TickerSettingsFrom(Settings1->Values(), values_));
  ApplyPolicySwitches();
  ApplyChanges(core::AllChanges());
}

void TForm1::ApplyValues(const core::TickerSettings& values) {
  const core::TickerSettings used = policy_.Use(values);
  const std::vector<core::TickerChange> changes = core::ChangesBetween(values_, used);
  values_ = used;
  SyncSourceRunner();
  ApplyChanges(changes);
}

void TForm1::ApplyChanges(const std::vector<core::TickerChange>& changes) {
  // The bar's moves while applying must not overwrite placement values not yet applied.
  const bool nested = std::exchange(applyingValues_, true);
  const struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{applyingValues_, nested};
  for (const core::TickerChange change : changes) ApplyChange(change);
  if (nested) return;
  applyingValues_ = false;
  RecordPlacement();
}

void TForm1::ApplyChange(core::TickerChange change) {
  using core::TickerChange;
  switch (change) {
    case TickerChange::Position: ApplyPosition(); break;
    case TickerChange::Font: ApplyFont(); break;
    case TickerChange::Logo: LoadLogo(); break;
    // Raising takes effect at once, lowering when the z-order is next set.
    case TickerChange::StayOnTop: AppBar1->SetAlwaysOnTop(values_.AlwaysOnTop); break;
    case TickerChange::AppBarFlags: ApplyAppBarFlags(); break;
    case TickerChange::Frame: SetFrame(values_.Frame); break;
    case TickerChange::TrayIcon: ApplyTrayIconVisibility(); break;
    case TickerChange::TotallyHide: SetTotallyHide(values_.TotallyHide); break;
    case TickerChange::ScrollAmount: Marquee1->SetScrollAmount(values_.Amount); break;
    case TickerChange::Color:
      Marquee1->SetColor(static_cast<std::uint32_t>(values_.Color));
      ::InvalidateRect(Handle(), nullptr, TRUE);
      break;
    case TickerChange::ScrollDelay:
      Marquee1->SetScrollDelay(core::IntervalMs(values_.Delay));
      break;
    case TickerChange::Vertical: SetVertical(values_.Vertical); break;
    case TickerChange::TimerIntervals:
      for (const core::TimerInterval& timer : core::TimerIntervalList()) {
        TimerOf(timer.timer).SetInterval(core::IntervalMs(values_.*timer.interval));
      }
      break;
    case TickerChange::AutoReload: ApplyAutoReload(); break;
    case TickerChange::HideOnTimer: RestartHideTimer(); break;
    case TickerChange::Dock: ApplyDock(); break;
    case TickerChange::Layout: FormResize(); break;
    case TickerChange::SourceNames: runner_->ShowSources(); break;
  }
}

platform::FontSpec TForm1::BarFont() const {
  platform::FontSpec font;
  font.name = values_.FontName;
  font.size = values_.FontSize;
  font.color = static_cast<std::uint32_t>(values_.FontColor);
  font.bold = values_.FontBold;
  font.italic = values_.FontItalic;
  font.underline = fontUnderline_;
  font.strikeOut = fontStrikeOut_;
  return font;
}

void TForm1::SetBarFont(const platform::FontSpec& font) {
  core::TickerSettings values = values_;
  values.FontName = font.name;
  values.FontSize = font.size;
  values.FontColor = static_cast<std::int32_t>(font.color);
  values.FontBold = font.bold;
  values.FontItalic = font.italic;
  const bool effectsChanged = fontUnderline_ != font.underline || fontStrikeOut_ != font.strikeOut;
  fontUnderline_ = font.underline;
  fontStrikeOut_ = font.strikeOut;
  if (core::ChangesBetween(values_, values).empty() && effectsChanged) ApplyFont();
  ApplyValues(values);
}

void TForm1::ApplyFont() {
  Marquee1->SetFont(BarFont());
  RestackVerticalLines();
  // The marquee's new height sets the bar's; the start-up placement applies it once.
  if (startingUp_) return;
  ApplyHeightRule();
  Redock();
}

void TForm1::TimerSaveSettingsTimer() {
  TimerSaveSettings.SetEnabled(false);
  SaveTickerSettings();
}
