#pragma once
// The marquee's only view of the font: the Win32 side answers with GetTextExtentPoint32W on
// the control's canvas, tests answer with fixed widths.

#include <string_view>

namespace core {

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Width in pixels of the run drawn as one string (kerning and overhang included).
  virtual int Width(std::u16string_view text) = 0;
  // Height in pixels of the line the run occupies.
  virtual int Height(std::u16string_view text) = 0;
};

}  // namespace core
