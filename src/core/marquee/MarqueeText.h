#pragma once
// Text rules of the marquee that do not depend on the animation's state.

#include "core/marquee/MarqueeTextMeasurer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Pixels added to the text height when the control keeps its height fitted to the text.
inline constexpr int kFitHeightMargin = 2;

enum class MarqueeCentering { kTop, kCentered };

// A marquee shows one line, so units below 32 become `newControlCode` (a blank when NUL).
std::u16string StripCodes(std::u16string_view text, char newControlCode);
void StripCodesInPlace(std::u16string& text, char newControlCode);

// True for a `NewControlCode` that would itself be a control code (NUL stays allowed).
bool IsRefusedControlCode(char code);

// Client height that fits the text (`AutoSizeHeight`); an empty text measures as "Xg".
int FitHeight(TextMeasurer& measurer, std::u16string_view text, int margin = kFitHeightMargin);

// Top of a band of bandHeight pixels in the client area, centred when asked (may be negative).
int BandTop(int clientHeight, int bandHeight, MarqueeCentering centering);

// Length of the longest start of the text that is at most maxWidth wide (blink's cut).
std::size_t LongestStartWithin(TextMeasurer& measurer, std::u16string_view text, int maxWidth);

// The index of the character of `text`, drawn from x = 0, that covers `x`; nullopt left of the
// text and right of its end. Starts are measured as one run, as they are drawn.
std::optional<std::size_t> CharacterAt(std::u16string_view text, int x, TextMeasurer& measurer);

// The still picture while the animation is stopped: the text and where to draw it at x = 0.
struct MarqueeStill {
  std::u16string_view text;  // a start of the text, its last character possibly cut by the edge
  int y = 0;
};

// What the paint handler shows while stopped: the start of the text that reaches the edge.
MarqueeStill StillPicture(TextMeasurer& measurer, std::u16string_view text, int clientWidth,
                          int clientHeight, MarqueeCentering centering);

}  // namespace core
