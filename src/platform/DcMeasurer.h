#pragma once
// The text measurer of the core rules, answered by GDI on a device context with its font
// selected.

#include <windows.h>

#include <string_view>

#include "core/marquee/MarqueeTextMeasurer.h"
#include "platform/WideText.h"

namespace platform {

class DcMeasurer : public core::TextMeasurer {
 public:
  explicit DcMeasurer(HDC dc) : dc_(dc) {}
  int Width(std::u16string_view text) override { return Extent(text).cx; }
  // GDI gives every non-empty run the font's line height, so a long text need not be measured
  // whole for it.
  int Height(std::u16string_view text) override { return Extent(text.substr(0, 1)).cy; }

 private:
  SIZE Extent(std::u16string_view text) const {
    SIZE size{};
    ::GetTextExtentPoint32W(dc_, WideOf(text), WideLength(text), &size);
    return size;
  }
  HDC dc_;
};

}  // namespace platform
