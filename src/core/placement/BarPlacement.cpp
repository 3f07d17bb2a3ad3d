#include "core/placement/BarPlacement.h"

#include <algorithm>
#include <limits>

namespace core {

namespace {

// Sums and differences of screen coordinates are taken in 64 bits and brought back here, so
// that settings or system values near the limits cannot overflow.
std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t NonNegative(std::int64_t value) {
  return Clamp32(std::max<std::int64_t>(value, 0));
}

Rect RectOf(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
  return Rect{Clamp32(left), Clamp32(top), Clamp32(left + width), Clamp32(top + height)};
}

bool InTopZone(std::int64_t y, std::int64_t top, std::int64_t depth) {
  return top <= y && y < top + depth;
}

bool InBottomZone(std::int64_t y, std::int64_t bottom, std::int64_t depth) {
  return bottom - depth < y && y < bottom;
}

}  // namespace

// --- Height ---------------------------------------------------------------------------------

std::int32_t BarHeight(const HeightInput& input) {
  // A minimized bar leaves a 2-pixel line, or nothing when it hides totally.
  if (input.minimized) return input.totallyHide ? 0 : ScaledPixels(2, input.dpi);
  return input.frame ? Clamp32(std::int64_t{input.marqueeHeight} + ScaledPixels(6, input.dpi))
                     : input.marqueeHeight;
}

std::int32_t MinimizedTop(std::int32_t top, std::int32_t height, std::int32_t dpi) {
  return Clamp32(std::int64_t{top} + height - ScaledPixels(2, dpi));
}

std::int32_t RestoredTop(std::int32_t stripTop, std::int32_t marqueeHeight, bool frame,
                         std::int32_t dpi) {
  // The full bar is the marquee plus 6 with a frame; the strip it replaces is 2 high.
  const std::int64_t strip = ScaledPixels(2, dpi);
  return Clamp32(std::int64_t{stripTop} - marqueeHeight + strip -
                 (frame ? ScaledPixels(6, dpi) : 0));
}

// --- Layout ---------------------------------------------------------------------------------

std::int32_t LogoWidth(std::int32_t pictureWidth, std::int32_t pictureHeight,
                       std::int32_t logoHeight, bool useLogo, std::int32_t clientWidth) {
  if (pictureHeight <= 0 || pictureWidth <= 0 || !useLogo || logoHeight <= 0) return 0;
  // Truncating at each step keeps the widths the bar has always had.
  const std::int64_t ratio = std::int64_t{pictureWidth} * 1000 / pictureHeight;
  const std::int64_t width = ratio * logoHeight / 1000;
  return Clamp32(std::clamp<std::int64_t>(width, 0, std::max(clientWidth, 0)));
}

BarLayout LayoutBar(const LayoutInput& input) {
  const std::int64_t width = std::max(input.clientWidth, 0);
  const std::int64_t height = std::max(input.clientHeight, 0);
  const std::int64_t logoWidth =
      LogoWidth(input.pictureWidth, input.pictureHeight, static_cast<std::int32_t>(height),
                input.useLogo, static_cast<std::int32_t>(width));

  BarLayout layout;
  if (input.logoRight) {
    layout.logo = RectOf(width - logoWidth, 0, logoWidth, height);
    layout.marquee = RectOf(0, 0, width - logoWidth, height);
  } else {
    layout.logo = RectOf(0, 0, logoWidth, height);
    layout.marquee = RectOf(logoWidth, 0, width - logoWidth, height);
  }

  // The indents follow the font, whose points are more pixels on a denser monitor.
  const std::int64_t size = ScaledPixels(input.fontSize, input.dpi);
  const std::int64_t baseLeft = input.logoRight ? 0 : logoWidth;
  const std::int64_t labelLeft = baseLeft + size / 2 + size / 7;
  // A logo on the left does not shorten the labels: they reach to the client's right end.
  const std::int64_t rightLimit = (input.useLogo && !input.logoRight) ? width : width - logoWidth;
  const std::int64_t labelWidth = std::max<std::int64_t>(rightLimit - labelLeft - size / 2, 0);
  layout.labels = RectOf(labelLeft, 0, labelWidth, height);
  layout.richEditWidth = NonNegative(labelWidth - ScaledPixels(24, input.dpi));
  return layout;
}

std::int32_t FloatingWidth(std::int32_t width, std::int32_t dpi) {
  return std::max(width, ScaledPixels(kMinimumBarWidth, dpi));
}

// --- Frame ----------------------------------------------------------------------------------

WindowStyles FrameStyles(WindowStyles current, bool floating, bool frame) {
  WindowStyles styles = current;
  styles.style &= ~kThickFrameStyle;
  styles.exStyle &= ~kModalFrameExStyle;
  if (frame) {
    if (floating) {
      styles.style |= kThickFrameStyle;
    } else {
      styles.exStyle |= kModalFrameExStyle;
    }
  }
  return styles;
}

Rect NudgedBounds(Rect bounds, bool floating, FrameNudge nudge) {
  const std::int64_t left = bounds.left;
  const std::int64_t top = bounds.top;
  const std::int64_t width = std::int64_t{bounds.right} - bounds.left;
  const std::int64_t height = std::int64_t{bounds.bottom} - bounds.top;
  const std::int64_t step = nudge == FrameNudge::Out ? 2 : -2;
  // A docked bar keeps its edge's width and bottom; only its top moves.
  if (floating) return RectOf(left - step, top - step, width + 2 * step, height + 2 * step);
  return RectOf(left, top - step, width, height + step);
}

// --- Dragging -------------------------------------------------------------------------------

bool IsHorizontal(Rect taskbar) {
  return std::int64_t{taskbar.right} - taskbar.left > std::int64_t{taskbar.bottom} - taskbar.top;
}

bool CursorOnTaskbar(Rect taskbar, Point cursor) {
  return IsHorizontal(taskbar) && taskbar.Contains(cursor);
}

DockZone DockZoneAt(MonitorList monitors, Rect taskbar, Point cursor, std::int32_t dpi) {
  const int monitor = FindMonitorAt(monitors, cursor);
  if (monitor == -1) return DockZone::None;
  const std::int64_t top = monitors[monitor].top;
  const std::int64_t bottom = monitors[monitor].bottom;
  const std::int64_t y = cursor.y;
  const std::int64_t depth = ScaledPixels(10, dpi);

  const Point centre{static_cast<std::int32_t>((std::int64_t{taskbar.left} + taskbar.right) / 2),
                     static_cast<std::int32_t>((std::int64_t{taskbar.top} + taskbar.bottom) / 2)};
  // A horizontal taskbar on the cursor's monitor holds that edge: the bar docks beside it.
  if (IsHorizontal(taskbar) && monitor == FindMonitorAt(monitors, centre)) {
    if (InTopZone(y, taskbar.bottom, depth)) return DockZone::Top;
    if (InBottomZone(y, taskbar.top, depth)) return DockZone::Bottom;
  }
  if (InTopZone(y, top, depth)) return DockZone::Top;
  if (InBottomZone(y, bottom, depth)) return DockZone::Bottom;
  return DockZone::None;
}

Point DraggedPosition(const DragAnchor& anchor, Point cursor) {
  return Point{Clamp32(std::int64_t{anchor.startPos.x} + cursor.x - anchor.startCursor.x),
               Clamp32(std::int64_t{anchor.startPos.y} + cursor.y - anchor.startCursor.y)};
}

bool ShouldUndock(TEdge edge, Point cursor, Point startCursor, int barMonitor, int cursorMonitor,
                  std::int32_t dpi) {
  const std::int64_t pulledDown = std::int64_t{cursor.y} - startCursor.y;
  const std::int64_t pull = ScaledPixels(10, dpi);
  switch (edge) {
    case TEdge::abeTop: return pulledDown > pull || barMonitor != cursorMonitor;
    case TEdge::abeBottom: return -pulledDown > pull || barMonitor != cursorMonitor;
    default: return false;
  }
}

UndockPlacement UndockAt(Point cursor, std::int32_t dpi) {
  const std::int64_t offset = ScaledPixels(5, dpi);
  const Point startPos{Clamp32(cursor.x - offset), Clamp32(cursor.y - offset)};
  return UndockPlacement{cursor, DragAnchor{cursor, startPos}};
}

// --- Dialogs beside the bar ------------------------------------------------------------------

Point DialogPlace(Rect bar, TEdge edge, BarSize dialog, Rect monitor, std::int32_t fraction,
                  BarEnd end) {
  if (edge == TEdge::abeFloat) {
    return {Clamp32(monitor.left + (std::int64_t{monitor.Width()} - dialog.width) / 2),
            Clamp32(monitor.top + (std::int64_t{monitor.Height()} - dialog.height) / 2)};
  }
  std::int64_t left = bar.left + std::int64_t{bar.Width()} / fraction;
  if (end == BarEnd::KeepWithin && bar.right < left + dialog.width) left = bar.right - dialog.width;
  const std::int64_t top =
      edge == TEdge::abeBottom ? std::int64_t{bar.top} - dialog.height : std::int64_t{bar.bottom};
  return {Clamp32(left), Clamp32(top)};
}

// --- Start-up and redock --------------------------------------------------------------------

Point StartupTopLeft(MonitorList monitors, Point stored) {
  return FindMonitorAt(monitors, stored) != -1 ? stored : Point{};
}

Rect StartupFloatRect(MonitorList monitors, const StoredPlacement& stored, std::int32_t barHeight) {
  if (FindMonitorAt(monitors, stored.topLeft) != -1) {
    return Rect{stored.floatLeft, stored.floatTop, stored.floatRight,
                Clamp32(std::int64_t{stored.floatTop} + barHeight)};
  }
  // Off every monitor (one was removed): somewhere surely visible, at the stored width.
  const std::int64_t width = std::int64_t{stored.floatRight} - stored.floatLeft;
  return Rect{100, 100, Clamp32(100 + width), 150};
}

TEdge StoredEdge(const StoredPlacement& stored) {
  if (stored.floating) return TEdge::abeFloat;
  return stored.bottom ? TEdge::abeBottom : TEdge::abeTop;
}

std::optional<Point> MonitorCorner(MonitorList monitors, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= monitors.size()) return std::nullopt;
  const Rect& monitor = monitors[static_cast<std::size_t>(index)];
  return Point{Clamp32(std::int64_t{monitor.left} + 1), Clamp32(std::int64_t{monitor.top} + 1)};
}

std::optional<TEdge> CommandLineEdge(bool top, bool bottom) {
  if (bottom) return TEdge::abeBottom;
  if (top) return TEdge::abeTop;
  return std::nullopt;
}

std::uint32_t RedockIntervalMs(std::int32_t periodSeconds, std::int32_t count) {
  if (periodSeconds <= 0 || count <= 0) return 0;
  // The timer takes a signed 32-bit interval.
  return static_cast<std::uint32_t>(
      std::min<std::int64_t>(std::int64_t{periodSeconds} * 1000, 2147483647));
}

std::optional<Point> RedockedTopLeft(MonitorList monitors, int index, Point barTopLeft,
                                     std::int32_t dpi) {
  const std::optional<Point> target = MonitorCorner(monitors, index);
  if (!target) return std::nullopt;
  // A few pixels of drift are left alone, so that the check does not fight the shell.
  const std::int64_t allowed = ScaledPixels(3, dpi);
  const auto pulled = [allowed](std::int32_t want, std::int32_t have) {
    const std::int64_t drift = std::int64_t{want} - have;
    return (drift < 0 ? -drift : drift) > allowed ? want : have;
  };
  const Point moved{pulled(target->x, barTopLeft.x), pulled(target->y, barTopLeft.y)};
  if (moved == barTopLeft) return std::nullopt;
  return moved;
}

RedockTick RedockTickFor(MonitorList monitors, int index, Point barTopLeft, bool floating,
                         std::int32_t dpi) {
  const std::optional<Point> corner = MonitorCorner(monitors, index);
  if (!corner) return {};
  if (floating) return {.moveTo = RedockedTopLeft(monitors, index, barTopLeft, dpi)};
  // A docked bar's corner is never at the monitor's top at the bottom edge: pulling it there
  // would move it off its strip.
  if (FindMonitorAt(monitors, barTopLeft) == index) return {.redock = true};
  return {.moveTo = corner, .redock = true};
}

}  // namespace core
