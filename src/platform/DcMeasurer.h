#pragma once
// The text measurer of the core rules, answered on a device context with its font selected,
// on the path its text takes to the screen.

#include <windows.h>

#include <string_view>

#include "core/marquee/MarqueeTextMeasurer.h"
#include "platform/TextRuns.h"

namespace platform {

class DcMeasurer : public core::TextMeasurer {
 public:
  explicit DcMeasurer(HDC dc, TextPath path = TextPath::Direct) : dc_(dc), path_(path) {}
  int Width(std::u16string_view text) override { return MeasureRun(dc_, text, path_).cx; }
  // Every non-empty run has the font's line height, so a long text need not be measured whole
  // for it.
  int Height(std::u16string_view text) override {
    return MeasureRun(dc_, text.substr(0, 1), TextPath::Direct).cy;
  }

 private:
  HDC dc_;
  TextPath path_;
};

}  // namespace platform
