#pragma once
// The system's font and colour dialogs.

#include <windows.h>

#include <optional>

#include "platform/Fonts.h"

namespace platform {

// The font dialog with its effects (colour, underline, strikeout), preset with `initial`;
// nullopt when the user cancels.
std::optional<FontSpec> ChooseFontSpec(HWND owner, const FontSpec& initial);

// The colour dialog, any colour allowed. It opens on black the first time and then on the
// colour last picked in it, and keeps its 16 custom colours, for the object's life.
class ColorDialog {
 public:
  // The picked colour as a colour value (RGB); nullopt when the user cancels.
  std::optional<std::uint32_t> Choose(HWND owner);

 private:
  COLORREF last_ = 0;
  COLORREF custom_[16] = {};
};

}  // namespace platform
