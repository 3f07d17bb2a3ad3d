#pragma once
// The text measurer of the core rules, answered by GDI on a device context with its font
// selected.

#include <windows.h>

#include <string_view>

#include "core/marquee/MarqueeTextMeasurer.h"

namespace platform {

class DcMeasurer : public core::TextMeasurer {
 public:
  explicit DcMeasurer(HDC dc) : dc_(dc) {}
  int Width(std::string_view text) override { return Extent(text).cx; }
  // GDI gives every non-empty run the font's line height, so a long text need not be measured
  // whole for it (the system would convert every character of it first).
  int Height(std::string_view text) override { return Extent(text.substr(0, 1)).cy; }

 private:
  SIZE Extent(std::string_view text) const {
    SIZE size{};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
  }
  HDC dc_;
};

}  // namespace platform
