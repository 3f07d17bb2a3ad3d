#pragma once
// The vertical mode's two line holders: which display line comes next, which label receives
// it, and the slide that brings it up into the bar while the other label leaves at the top.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

struct VerticalLabel {
  std::u16string caption;
  std::int32_t top = 0;    // in the bar's client area; 0 is the visible place
  std::int32_t line = -1;  // the display line shown, -1 for none
};

class VerticalLines {
 public:
  // A layout pass puts both labels at the top of the text area, `height` high: the next line
  // then arrives at the first slide step.
  void Layout(std::int32_t height);

  // The line tick: the next display line goes into the waiting label, after the last comes the
  // first again. An empty last display line is not counted; with none, the caption is empty.
  // The caller then runs the slide.
  void NextLine(std::span<const std::u16string_view> displayLines);

  // One slide step: both labels move up by `amount` (at least 1). True when the waiting label
  // has arrived: it sits at the top, the other waits right below it and receives the next line.
  bool SlideStep(std::int32_t amount);

  // The display line of the label under `y` (from the top of the labels' area); -1 for none.
  std::int32_t LineAt(std::int32_t y) const;

  // A new text: both captions empty, and the next line is the first.
  void Clear();

  const VerticalLabel& Label1() const { return label1_; }
  const VerticalLabel& Label2() const { return label2_; }
  bool IncomingIsLabel2() const { return incomingIsLabel2_; }
  std::int32_t VertLineIndex() const { return vertLineIndex_; }

 private:
  VerticalLabel label1_{u"Right click to see options.", 0};
  VerticalLabel label2_{u"Driftline from Quorvane", 0};
  std::int32_t height_ = 0;
  bool incomingIsLabel2_ = true;
  std::int32_t vertLineIndex_ = 0;
};

}  // namespace core
