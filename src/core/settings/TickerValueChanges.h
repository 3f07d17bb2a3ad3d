#pragma once
// Which parts of the bar a change of its stored values reaches, in the order the bar applies
// them. The bar applies a part only when a value it depends on changed, so that a dialog
// that changes the speed does not reload the logo or re-create the font.

#include <cstdint>
#include <span>
#include <vector>

#include "core/settings/TickerSettings.h"

namespace core {

enum class TickerChange {
  Position,        // Top, Left: the bar's corner
  Font,            // FontName, FontSize, FontColor, FontBold, FontItalic
  Logo,            // LogoFile: load the picture
  StayOnTop,       // AlwaysOnTop: the z-order
  AppBarFlags,     // StayOnTopOfFullscreen, DoNotAdjustDesktop, to the app bar
  Frame,           // Frame
  TrayIcon,        // HideTrayicon: the tray icon while the bar is visible
  TotallyHide,     // TotallyHide: how far the bar minimizes
  ScrollAmount,    // Amount, to the marquee
  Color,           // Color, to the bar and the marquee
  ScrollDelay,     // Delay, to the marquee
  Vertical,        // Vertical: lines instead of the marquee
  TimerIntervals,  // any interval of TimerIntervalList()
  AutoReload,      // UseAutoReload: the source check's timer
  HideOnTimer,     // HideOnTimer: the hide timer
  Dock,            // Bottom, Float and the floating rectangle; at start-up the whole placement
  Layout,          // anything that moves or sizes the bar's parts
  SourceNames,     // ShowSourceNames: a list's lines merged again
};

// The parts to apply when the values go from `before` to `after`, in apply order.
std::vector<TickerChange> ChangesBetween(const TickerSettings& before, const TickerSettings& after);
// Every part, in apply order: the start-up, where nothing has been applied yet.
std::vector<TickerChange> AllChanges();

// The bar's timers whose interval is a stored value.
enum class TickerTimer { GetFile, VertScrollDelay, VertLineDelay, HideTime, PauseTimeout };

struct TimerInterval {
  TickerTimer timer;
  std::int32_t TickerSettings::*interval;
};

// Every timer with the value that gives its interval, in apply order.
std::span<const TimerInterval> TimerIntervalList();

// A stored interval in milliseconds as a timer takes it; a negative one never fires.
inline std::uint32_t IntervalMs(std::int32_t stored) {
  return stored > 0 ? static_cast<std::uint32_t>(stored) : 0;
}

}  // namespace core
