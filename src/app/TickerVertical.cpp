// The vertical mode, line by line, and the pause over either mode.

#include <algorithm>

#include "app/Ticker.h"
#include "platform/DcMeasurer.h"
#include "platform/Fonts.h"

void TForm1::CreateVerticalLines() {
  vertical_.TimerVertLineDelay.SetOnTimer([this] { TimerVertLineDelayTimer(); });
  vertical_.TimerVertScrollDelay.SetOnTimer([this] { TimerVertScrollDelayTimer(); });
  vertical_.TimerPauseTimeout.SetOnTimer([this] { TimerPauseTimeoutTimer(); });
}

void TForm1::SetVertical(bool on) {
  values_.Vertical = on;
  vertical_.TimerVertLineDelay.SetEnabled(on);
  Marquee1->SetEnabled(!on);
  Marquee1->SetVisible(!on);
  ::InvalidateRect(Handle(), nullptr, TRUE);
  // The layout resumes a pause; a slide in progress runs to its end.
  if (on) FormResize();
}

// A new text starts from its first line, which comes in at once; the next one follows a full
// VertLineDelay later.
void TForm1::ResetVerticalLines() {
  vertical_.labels.Clear();
  vertical_.wrappedWidth = -1;
  if (!values_.Vertical) return;
  vertical_.TimerVertLineDelay.SetEnabled(false);
  TimerVertLineDelayTimer();
  vertical_.TimerVertLineDelay.SetEnabled(true);
}

// The layout puts both labels at the top of their area.
void TForm1::LayOutVerticalLines(const core::Rect& area, int wrapWidth) {
  vertical_.area = area;
  vertical_.wrapWidth = wrapWidth;
  vertical_.labels.Layout(area.Height());
}

// The font changed: the lines wrap again, and the labels take the new height.
void TForm1::RestackVerticalLines() {
  vertical_.font = platform::CreateFontFrom(Marquee1->Font(), Dpi());
  vertical_.wrappedWidth = -1;
  vertical_.labels.Layout(vertical_.area.Height());
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

const std::vector<std::u16string_view>& TForm1::VerticalDisplayLines() {
  const int width = vertical_.wrapWidth;
  if (vertical_.wrappedWidth == width) return vertical_.displayLines;
  const platform::ScopedGetDc dc(Handle());
  const platform::ScopedSelectObject font(dc.get(), vertical_.font.get());
  const std::vector<std::u16string_view>& lines = ShownLines();
  const bool shaped = std::any_of(lines.begin(), lines.end(), [&](std::u16string_view line) {
    return platform::PathFor(dc.get(), line) == platform::TextPath::Shaped;
  });
  vertical_.path = shaped ? platform::TextPath::Shaped : platform::TextPath::Direct;
  platform::DcMeasurer measurer(dc.get(), vertical_.path);
  vertical_.displayLines = DisplayLinesAt(measurer, width);
  vertical_.wrappedWidth = width;
  return vertical_.displayLines;
}

std::optional<std::u16string_view> TForm1::VerticalLineAt(int x, int y) {
  if (!vertical_.area.Contains({x, y})) return std::nullopt;
  const std::int32_t line = vertical_.labels.LineAt(y - vertical_.area.top);
  const std::vector<std::u16string_view>& lines = VerticalDisplayLines();
  if (line < 0 || static_cast<std::size_t>(line) >= lines.size()) return std::nullopt;
  return lines[static_cast<std::size_t>(line)];
}

void TForm1::TimerVertLineDelayTimer() {
  vertical_.labels.NextLine(VerticalDisplayLines());
  vertical_.TimerVertScrollDelay.SetEnabled(true);
  DrawVerticalLines();
}

void TForm1::TimerVertScrollDelayTimer() {
  if (vertical_.labels.SlideStep(values_.VertScrollAmount)) {
    vertical_.TimerVertScrollDelay.SetEnabled(false);
  }
  DrawVerticalLines();
}

void TForm1::DrawVerticalLines() {
  if (!values_.Vertical) return;
  const platform::ScopedGetDc dc(Handle());
  PaintVerticalLines(dc.get());
}

// Both labels are drawn into one picture that reaches the screen in one copy, so the slide
// never flickers; Label2 lies over Label1, and each is opaque.
void TForm1::PaintVerticalLines(HDC target) {
  const core::Rect& area = vertical_.area;
  if (area.Width() <= 0 || area.Height() <= 0) return;
  HDC dc = vertical_.canvas.Prepare(target, area.Width(), area.Height());
  if (!dc) return;
  const platform::ScopedSelectObject selectFont(dc, vertical_.font.get());
  const platform::UniqueBrush background(
      ::CreateSolidBrush(platform::ToColorRef(static_cast<std::uint32_t>(values_.Color))));
  ::SetTextColor(dc, platform::ToColorRef(static_cast<std::uint32_t>(values_.FontColor)));
  ::SetBkMode(dc, TRANSPARENT);
  const RECT whole{0, 0, area.Width(), area.Height()};
  ::FillRect(dc, &whole, background.get());
  for (const core::VerticalLabel* label :
       {&vertical_.labels.Label1(), &vertical_.labels.Label2()}) {
    RECT box{0, label->top, area.Width(), label->top + area.Height()};
    ::FillRect(dc, &box, background.get());
    // Centred both ways in its box, as a single-line label centres its caption.
    const SIZE size = platform::MeasureRun(dc, label->caption, vertical_.path);
    platform::DrawRun(dc, (area.Width() - size.cx) / 2, box.top + (area.Height() - size.cy) / 2,
                      ETO_CLIPPED, &box, label->caption, vertical_.path);
  }
  ::BitBlt(target, area.left, area.top, area.Width(), area.Height(), dc, 0, 0, SRCCOPY);
}

void TForm1::SetPaused(bool pause) {
  vertical_.Paused = pause;
  if (pause) {
    if (values_.Vertical) {
      // A slide in progress still finishes; no new line comes.
      vertical_.TimerVertLineDelay.SetEnabled(false);
    } else {
      // Messages already on their way (a step of the marquee among them) are handled first.
      application_.ProcessMessagesFor(10);
      // One of them may have resumed already.
      if (!vertical_.Paused) return;
      Marquee1->SetEnabled(false);
    }
    if (values_.UnPauseOnTimer) vertical_.TimerPauseTimeout.SetEnabled(true);
    return;
  }
  if (values_.Vertical) {
    vertical_.TimerVertLineDelay.SetEnabled(true);
  } else {
    Marquee1->SetEnabled(true);
  }
  vertical_.TimerPauseTimeout.SetEnabled(false);
}

void TForm1::pauseToggle() {
  SetPaused(!vertical_.Paused);
}

void TForm1::TimerPauseTimeoutTimer() {
  SetPaused(false);
}
