#include "core/settings/TickerValueChanges.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace core {
namespace {

using T = TickerSettings;

constexpr std::array kTimerIntervals{
    TimerInterval{TickerTimer::VertScrollDelay, &T::VertScrollDelay},
    TimerInterval{TickerTimer::VertLineDelay, &T::VertLineDelay},
    TimerInterval{TickerTimer::GetFile, &T::GetFileDelay},
    TimerInterval{TickerTimer::HideTime, &T::HideTimeDelay},
    TimerInterval{TickerTimer::PauseTimeout, &T::PauseTimeout},
};

bool FontDiffers(const T& a, const T& b) {
  return std::tie(a.FontName, a.FontSize, a.FontColor, a.FontBold, a.FontItalic) !=
         std::tie(b.FontName, b.FontSize, b.FontColor, b.FontBold, b.FontItalic);
}

bool IntervalsDiffer(const T& a, const T& b) {
  return std::any_of(
      kTimerIntervals.begin(), kTimerIntervals.end(),
      [&](const TimerInterval& timer) { return a.*timer.interval != b.*timer.interval; });
}

bool LayoutDiffers(const T& a, const T& b) {
  return FontDiffers(a, b) || a.Frame != b.Frame || a.UseLogo != b.UseLogo ||
         a.LogoRight != b.LogoRight || a.LogoFile != b.LogoFile || a.Vertical != b.Vertical;
}

bool DockDiffers(const T& a, const T& b) {
  return std::tie(a.Bottom, a.Float, a.FloatLeft, a.FloatTop, a.FloatRight) !=
         std::tie(b.Bottom, b.Float, b.FloatLeft, b.FloatTop, b.FloatRight);
}

struct ChangeRule {
  TickerChange change;
  bool (*differs)(const T& before, const T& after);
};

// In apply order.
constexpr std::array kRules{
    ChangeRule{TickerChange::Position,
               [](const T& a, const T& b) { return a.Top != b.Top || a.Left != b.Left; }},
    ChangeRule{TickerChange::Font, &FontDiffers},
    ChangeRule{TickerChange::Logo, [](const T& a, const T& b) { return a.LogoFile != b.LogoFile; }},
    ChangeRule{TickerChange::StayOnTop,
               [](const T& a, const T& b) { return a.AlwaysOnTop != b.AlwaysOnTop; }},
    ChangeRule{TickerChange::AppBarFlags,
               [](const T& a, const T& b) {
                 return a.StayOnTopOfFullscreen != b.StayOnTopOfFullscreen ||
                        a.DoNotAdjustDesktop != b.DoNotAdjustDesktop;
               }},
    ChangeRule{TickerChange::Frame, [](const T& a, const T& b) { return a.Frame != b.Frame; }},
    ChangeRule{TickerChange::TrayIcon,
               [](const T& a, const T& b) { return a.HideTrayicon != b.HideTrayicon; }},
    ChangeRule{TickerChange::TotallyHide,
               [](const T& a, const T& b) { return a.TotallyHide != b.TotallyHide; }},
    ChangeRule{TickerChange::ScrollAmount,
               [](const T& a, const T& b) { return a.Amount != b.Amount; }},
    ChangeRule{TickerChange::Color, [](const T& a, const T& b) { return a.Color != b.Color; }},
    ChangeRule{TickerChange::ScrollDelay,
               [](const T& a, const T& b) { return a.Delay != b.Delay; }},
    ChangeRule{TickerChange::Vertical,
               [](const T& a, const T& b) { return a.Vertical != b.Vertical; }},
    ChangeRule{TickerChange::TimerIntervals, &IntervalsDiffer},
    ChangeRule{TickerChange::AutoReload,
               [](const T& a, const T& b) { return a.UseAutoReload != b.UseAutoReload; }},
    ChangeRule{TickerChange::HideOnTimer,
               [](const T& a, const T& b) { return a.HideOnTimer != b.HideOnTimer; }},
    ChangeRule{TickerChange::Dock, &DockDiffers},
    ChangeRule{TickerChange::Layout, &LayoutDiffers},
    ChangeRule{TickerChange::SourceNames,
               [](const T& a, const T& b) { return a.ShowSourceNames != b.ShowSourceNames; }},
};

}  // namespace

std::vector<TickerChange> ChangesBetween(const TickerSettings& before,
                                         const TickerSettings& after) {
  std::vector<TickerChange> changes;
  for (const ChangeRule& rule : kRules) {
    if (rule.differs(before, after)) changes.push_back(rule.change);
  }
  return changes;
}

std::vector<TickerChange> AllChanges() {
  std::vector<TickerChange> changes(kRules.size());
  std::transform(kRules.begin(), kRules.end(), changes.begin(),
                 [](const ChangeRule& rule) { return rule.change; });
  return changes;
}

std::span<const TimerInterval> TimerIntervalList() {
  return kTimerIntervals;
}

}  // namespace core
