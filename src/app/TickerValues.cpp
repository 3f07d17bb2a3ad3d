// The stored values: defaults, reading them, applying what changed, writing them back, the
// delayed save, and the keys that change them.

#include "app/Ticker.h"
#include "core/SpeedKeys.h"

namespace {

core::SpeedKey SpeedKeyOf(UINT virtualKey) {
  switch (virtualKey) {
    case VK_UP: return core::SpeedKey::Faster;
    case VK_DOWN: return core::SpeedKey::Slower;
    case VK_RIGHT: return core::SpeedKey::LargerStep;
    case VK_LEFT: return core::SpeedKey::SmallerStep;
    default: return core::SpeedKey::Other;
  }
}

}  // namespace

// The defaults become the bar's values; ReadTickerSettings applies them together with what the
// store holds, so that nothing is applied twice.
void TForm1::ResetTickerSettings() {
  Settings1->SetValue(core::kActiveTabName, core::Value(core::kActiveTabDefault));
  values_ = core::TickerSettings{};
  ShowDefaultText();
}

void TForm1::WriteTickerSettings() {
  core::StoreTickerSettings(values_, Settings1->Values());
}

void TForm1::SaveTickerSettings() {
  WriteTickerSettings();
  Settings1->SaveSettings();
}

void TForm1::ReadTickerSettings() {
  ResetTickerSettings();
  // The defaults in the table give each value its type for reading.
  WriteTickerSettings();
  Settings1->GetSettings();
  for (const std::string& line : core::ClampTickerValues(Settings1->Values())) Log(line);
  values_ = core::TickerSettingsFrom(Settings1->Values(), values_);
  ApplyChanges(core::AllChanges());
}

void TForm1::ApplyValues(const core::TickerSettings& values) {
  const std::vector<core::TickerChange> changes = core::ChangesBetween(values_, values);
  values_ = values;
  ApplyChanges(changes);
}

void TForm1::ApplyChanges(const std::vector<core::TickerChange>& changes) {
  for (const core::TickerChange change : changes) ApplyChange(change);
}

void TForm1::ApplyChange(core::TickerChange change) {
  using core::TickerChange;
  switch (change) {
    case TickerChange::Font: ApplyFont(); break;
    case TickerChange::Frame: SetFrame(values_.Frame); break;
    case TickerChange::ScrollAmount: Marquee1->SetScrollAmount(values_.Amount); break;
    case TickerChange::Color: Marquee1->SetColor(static_cast<std::uint32_t>(values_.Color)); break;
    case TickerChange::ScrollDelay:
      Marquee1->SetScrollDelay(core::IntervalMs(values_.Delay));
      break;
    case TickerChange::TimerIntervals:
      for (const core::TimerInterval& timer : core::TimerIntervalList()) {
        TimerOf(timer.timer).SetInterval(core::IntervalMs(values_.*timer.interval));
      }
      break;
    case TickerChange::Logo: LoadLogo(); break;
    case TickerChange::AutoReload: ApplyAutoReload(); break;
    case TickerChange::HideOnTimer: RestartHideTimer(); break;
    case TickerChange::Layout: FormResize(); break;
  }
}

void TForm1::ApplyFont() {
  platform::FontSpec font;
  font.name = values_.FontName;
  font.size = values_.FontSize;
  font.color = static_cast<std::uint32_t>(values_.FontColor);
  font.bold = values_.FontBold;
  font.italic = values_.FontItalic;
  Marquee1->SetFont(font);
}

void TForm1::TimerSaveSettingsTimer() {
  TimerSaveSettings.SetEnabled(false);
  SaveTickerSettings();
}

void TForm1::FormKeyDown(UINT virtualKey) {
  TimerSaveSettings.SetEnabled(false);
  core::TickerSettings values = values_;
  if (virtualKey == 'F') values.Frame = !values.Frame;
  const core::Speed speed =
      core::SpeedAfterKey(SpeedKeyOf(virtualKey), {core::IntervalMs(values.Delay), values.Amount});
  values.Delay = static_cast<std::int32_t>(speed.delayMs);
  values.Amount = speed.amount;
  ApplyValues(values);
  TimerSaveSettings.SetEnabled(true);
}
