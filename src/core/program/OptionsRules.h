#pragma once
// The options dialog's arithmetic: where it opens beside the bar, the seconds its fields show
// for the bar's millisecond intervals and back, the Auto page's captions, and the page it opens
// on.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/placement/AppBarGeometry.h"
#include "core/placement/ScreenGeometry.h"

namespace core {

// Beside a docked bar: a seventh of its width in, kept within its right end, below it (above
// it at the bottom edge). Over a floating bar: centred on its monitor. Not kept on the screen.
Point OptionsDialogPlace(Rect bar, TEdge edge, std::int32_t dialogWidth, std::int32_t dialogHeight,
                         Rect monitor);

// The line-delay field's bound, so that its value in milliseconds always fits the timer.
inline constexpr std::int32_t kLineDelayMaxSeconds = 2147483;
// The Auto page's fields.
inline constexpr std::int32_t kAutoMaxSeconds = 1000000;

// The whole seconds of an interval, as a field from 1 to `maximum` shows them.
std::int32_t SecondsShown(std::int32_t intervalMs, std::int32_t maximum);
// The interval of a field's seconds, within the timer's range.
std::int32_t IntervalOfSeconds(std::int32_t seconds);

// The Auto page's four captions that name minimizing, or hiding with "Completely hide".
struct AutoCaptions {
  std::string missing;
  std::string empty;
  std::string after;
  std::string change;
};
AutoCaptions AutoPageCaptions(bool totallyHide);

// The web address as the bar fetches it: blanks and control characters around it trimmed, and
// "http://" in front unless it begins with "http://" or "https://", in any case.
std::string NormalizedFileUrl(std::string_view typed);

// The start-at-login value: the program's full path in double quotes, so that a path with
// blanks cannot be taken for another program.
std::string RunValueOf(std::string_view programPath);
// Whether a start-at-login value names this program, quoted or not, in any case.
bool RunValueNamesProgram(std::string_view value, std::string_view programPath);

// The Logo page's hint for a logo shown `height` pixels high, in three lines.
std::string LogoSizeHint(std::int32_t height);

// The page to open on: the stored one, unless it is no page or its tab is hidden ("Main").
int PageOfActiveTab(std::int32_t stored, std::span<const bool> tabVisible);

}  // namespace core
