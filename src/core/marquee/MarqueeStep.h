#pragma once
// What the three animation styles share: the frame a step asks for, and what a step reads.

#include "core/marquee/MarqueeTextMeasurer.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

enum class TScrollStyle : std::uint8_t { ssScroll = 0, ssBlink = 1, ssBounce = 2 };

// Pixels per step; a byte, so values from outside wrap modulo 256.
using TScrollAmount = std::uint8_t;

// Takes a value from outside (a setting, a spin edit) as the byte it is stored in.
constexpr TScrollAmount ToScrollAmount(std::int64_t value) {
  return static_cast<TScrollAmount>(value);
}

// What one step asks the control to draw, in this order: the client area (optional), the
// bitmap re-sized (optional) and filled with Color, the text into it, the band blitted.
struct MarqueeFrame {
  bool fillClient = false;   // a restart or a prepare: fill the whole client area with Color
  bool resizeBand = false;   // a prepare: bitmap becomes client width x BandHeight()
  bool copyBand = false;     // false: the step stopped early and nothing reaches the screen
  std::u16string_view text;  // drawn at (x, 0) in the band; valid until the next operation
  int x = 0;
};

// Whole-text measurements, kept until the text, the font or the canvas changes, so that a
// step never measures more than what is visible.
class MarqueeMeasures {
 public:
  // Forgets the kept measurements (new text, font or canvas).
  void Invalidate() {
    width_.reset();
    height_.reset();
  }
  // Width of the whole text, measured on first use.
  int TextWidth(TextMeasurer& measurer, std::u16string_view text) {
    if (!width_) width_ = measurer.Width(text);
    return *width_;
  }
  // Height of the whole text, measured on first use.
  int TextHeight(TextMeasurer& measurer, std::u16string_view text) {
    if (!height_) height_ = measurer.Height(text);
    return *height_;
  }

 private:
  std::optional<int> width_;
  std::optional<int> height_;
};

// Everything a style's step reads besides its own state.
struct MarqueeStepContext {
  TextMeasurer& measurer;
  MarqueeMeasures& measures;
  std::u16string_view text;
  int clientWidth = 0;
  int amount = 0;
  bool continuous = false;

  // Width of the whole text, measured once and kept.
  int WholeWidth() const { return measures.TextWidth(measurer, text); }
};

}  // namespace core
