// The stored values: defaults, reading and applying them, writing them back, the delayed
// save, and the keys that change them.

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

// Timer intervals are stored as signed values; a negative one never fires.
UINT Interval(std::int32_t ms) {
  return ms > 0 ? static_cast<UINT>(ms) : 0;
}

}  // namespace

void TForm1::ResetTickerSettings() {
  Settings1->SetValue(core::kActiveTabName, core::Value(core::kActiveTabDefault));
  values_ = core::TickerSettings{};
  Marquee1->SetScrollAmount(values_.Amount);
  Marquee1->SetScrollDelay(Interval(values_.Delay));
  Marquee1->SetScrollText(std::string(core::kDefaultMarqueeText));
  RichEdit1.Clear();
  ApplyFont();
  TimerHideTime.SetEnabled(false);
  TimerHideTime.SetInterval(0);
  TimerPauseTimeout.SetEnabled(false);
  TimerPauseTimeout.SetInterval(0);
  TimerGetFile.SetInterval(0);
  TimerVertScrollDelay.SetInterval(Interval(values_.VertScrollDelay));
  TimerVertLineDelay.SetInterval(Interval(values_.VertLineDelay));
  SetFrame(values_.Frame);
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

void TForm1::WriteTickerSettings() {
  // What the components hold is the truth for the values they apply.
  values_.Amount = Marquee1->ScrollAmount();
  values_.Delay = static_cast<std::int32_t>(Marquee1->ScrollDelay());
  values_.GetFileDelay = static_cast<std::int32_t>(TimerGetFile.Interval());
  values_.HideTimeDelay = static_cast<std::int32_t>(TimerHideTime.Interval());
  values_.PauseTimeout = static_cast<std::int32_t>(TimerPauseTimeout.Interval());
  values_.VertScrollDelay = static_cast<std::int32_t>(TimerVertScrollDelay.Interval());
  values_.VertLineDelay = static_cast<std::int32_t>(TimerVertLineDelay.Interval());
  core::StoreTickerSettings(values_, Settings1->Values());
}

void TForm1::SaveTickerSettings() {
  WriteTickerSettings();
  Settings1->SaveSettings();
}

void TForm1::ReadTickerSettings() {
  ResetTickerSettings();
  WriteTickerSettings();
  Settings1->GetSettings();
  for (const std::string& line : core::ClampTickerValues(Settings1->Values())) Log(line);
  values_ = core::TickerSettingsFrom(Settings1->Values(), values_);
  ApplyTickerSettings();
}

void TForm1::ApplyTickerSettings() {
  ApplyFont();
  SetFrame(values_.Frame);
  Marquee1->SetScrollAmount(values_.Amount);
  Marquee1->SetColor(static_cast<std::uint32_t>(values_.Color));
  Marquee1->SetScrollDelay(Interval(values_.Delay));
  TimerVertScrollDelay.SetInterval(Interval(values_.VertScrollDelay));
  TimerVertLineDelay.SetInterval(Interval(values_.VertLineDelay));
  TimerGetFile.SetInterval(Interval(values_.GetFileDelay));
  TimerHideTime.SetInterval(Interval(values_.HideTimeDelay));
  TimerPauseTimeout.SetInterval(Interval(values_.PauseTimeout));
  LoadLogo();
  TimerGetFile.SetEnabled(values_.UseAutoReload);
  TimerHideTime.SetEnabled(values_.HideOnTimer);
  LayoutChildren();
}

void TForm1::TimerSaveSettingsTimer() {
  TimerSaveSettings.SetEnabled(false);
  SaveTickerSettings();
}

void TForm1::FormKeyDown(UINT virtualKey) {
  TimerSaveSettings.SetEnabled(false);
  if (virtualKey == 'F') SetFrame(!values_.Frame);
  const core::Speed speed = core::SpeedAfterKey(
      SpeedKeyOf(virtualKey), {Marquee1->ScrollDelay(), Marquee1->ScrollAmount()});
  Marquee1->SetScrollDelay(speed.delayMs);
  Marquee1->SetScrollAmount(speed.amount);
  TimerSaveSettings.SetEnabled(true);
}
