#pragma once
// Placement subsystem: screen and app bar geometry, where the bar docks or floats and how its
// parts are laid out, and the speed keys.
//
// Where the bar goes and how its parts are laid out: the height rule, the layout of the logo
// and the line labels, the frame's window styles, the drag step's docking zones and
// undocking, and the placement at start-up and by the redock checks.

#include <cstdint>
#include <optional>

#include "core/placement/AppBarGeometry.h"
#include "core/placement/DpiScale.h"
#include "core/placement/ScreenGeometry.h"

namespace core {

// At 96 DPI, as every pixel size here; the `dpi` each rule takes scales them (DpiScale.h).
inline constexpr std::int32_t kMinimumBarWidth = 77;

// --- Height ---------------------------------------------------------------------------------

struct HeightInput {
  bool minimized = false;
  bool totallyHide = false;
  bool frame = false;
  std::int32_t marqueeHeight = 0;   // the marquee's fitted height, not its window's height
  std::int32_t dpi = kUnscaledDpi;  // of the bar's monitor
};

// The height every size change of the bar ends with.
std::int32_t BarHeight(const HeightInput& input);

// A bar docked at the bottom minimizes to a strip at the bottom of where it was...
std::int32_t MinimizedTop(std::int32_t top, std::int32_t height, std::int32_t dpi = kUnscaledDpi);
// ...and comes back with its bottom where the strip's was.
std::int32_t RestoredTop(std::int32_t stripTop, std::int32_t marqueeHeight, bool frame,
                         std::int32_t dpi = kUnscaledDpi);

// --- Layout ---------------------------------------------------------------------------------

// The logo's width for its picture shown `logoHeight` high: the aspect ratio in thousandths,
// truncated at each division, computed in 64 bits and never wider than the client area.
// 0 without a picture or when the logo is not used.
std::int32_t LogoWidth(std::int32_t pictureWidth, std::int32_t pictureHeight,
                       std::int32_t logoHeight, bool useLogo, std::int32_t clientWidth);

struct LayoutInput {
  std::int32_t clientWidth = 0;
  std::int32_t clientHeight = 0;
  std::int32_t pictureWidth = 0;  // 0 when there is no picture
  std::int32_t pictureHeight = 0;
  bool useLogo = false;
  bool logoRight = false;
  std::int32_t fontSize = 0;  // the bar font's size in points
  std::int32_t dpi = kUnscaledDpi;
};

// Client coordinates. No width is below 0.
struct BarLayout {
  Rect logo;     // full height at the left or right end; empty width without a logo
  Rect marquee;  // what the logo leaves free
  Rect labels;   // each line label of vertical mode, indented
  std::int32_t richEditWidth = 0;  // the width the vertical lines wrap at
};

BarLayout LayoutBar(const LayoutInput& input);

// A floating bar is never narrower than kMinimumBarWidth.
std::int32_t FloatingWidth(std::int32_t width, std::int32_t dpi = kUnscaledDpi);

// --- Frame ----------------------------------------------------------------------------------

inline constexpr std::uint32_t kThickFrameStyle = 0x40000;  // WS_THICKFRAME
inline constexpr std::uint32_t kModalFrameExStyle = 0x1;    // WS_EX_DLGMODALFRAME

struct WindowStyles {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  friend bool operator==(const WindowStyles&, const WindowStyles&) = default;
};

// A floating bar with a frame gets a sizing border, a docked one a fixed raised border; every
// other bit is kept.
WindowStyles FrameStyles(WindowStyles current, bool floating, bool frame);

// Showing or hiding the frame nudges the window out and back in, so that the system lays out
// the new frame; position and width end where they were.
enum class FrameNudge { Out, In };
Rect NudgedBounds(Rect bounds, bool floating, FrameNudge nudge);

// --- Dragging -------------------------------------------------------------------------------

// Where a drag started: the cursor, and the bar's top-left corner.
struct DragAnchor {
  Point startCursor;
  Point startPos;
};

// A taskbar is horizontal when it is wider than high.
bool IsHorizontal(Rect taskbar);
// The bar does not follow a cursor on a horizontal taskbar.
bool CursorOnTaskbar(Rect taskbar, Point cursor);

enum class DockZone { None, Top, Bottom };

// The zone the cursor is in while a floating bar is dragged: 10 pixels at the monitor's top
// and 9 at its bottom, and as many beside a horizontal taskbar on the same monitor, which
// comes first. None when the cursor is on no monitor.
DockZone DockZoneAt(MonitorList monitors, Rect taskbar, Point cursor,
                    std::int32_t dpi = kUnscaledDpi);

// The floating bar's top-left corner for the cursor.
Point DraggedPosition(const DragAnchor& anchor, Point cursor);

// Whether a bar docked at `edge` leaves its edge: pulled more than 10 pixels away from where
// the drag started or docked, or the cursor on another monitor than the bar's corner.
bool ShouldUndock(TEdge edge, Point cursor, Point startCursor, int barMonitor, int cursorMonitor,
                  std::int32_t dpi = kUnscaledDpi);

// Undocking at the cursor: the bar's corner goes to the cursor, and from the next step on it
// follows 5 pixels up and left of it.
struct UndockPlacement {
  Point topLeft;
  DragAnchor anchor;
};
UndockPlacement UndockAt(Point cursor, std::int32_t dpi = kUnscaledDpi);

// --- Dialogs beside the bar ------------------------------------------------------------------

// Whether a dialog beside a docked bar is pulled back so that it ends with the bar.
enum class BarEnd { KeepWithin, MayPass };

// A dialog `fraction`th of the bar's width in from its left, below it (above it at the bottom
// edge); over a floating bar, centred on its monitor. Not kept on the screen.
Point DialogPlace(Rect bar, TEdge edge, BarSize dialog, Rect monitor, std::int32_t fraction,
                  BarEnd end);

// --- Start-up and redock --------------------------------------------------------------------

// The stored placement values, as the settings hold them.
struct StoredPlacement {
  Point topLeft;
  bool bottom = false;
  bool floating = false;
  std::int32_t floatLeft = 0;
  std::int32_t floatTop = 0;
  std::int32_t floatRight = 0;
};

// The stored corner, or (0, 0) when it lies on no monitor.
Point StartupTopLeft(MonitorList monitors, Point stored);
// The floating rectangle: the stored one when the stored corner lies on a monitor, else at
// (100, 100) with the stored width; its bottom follows the bar's height.
Rect StartupFloatRect(MonitorList monitors, const StoredPlacement& stored, std::int32_t barHeight);
// Float wins over Bottom; neither docks at the top.
TEdge StoredEdge(const StoredPlacement& stored);

// "/MONITOR n": one pixel inside monitor n's corner, so that the bar docks there; nullopt
// when n is no monitor's index.
std::optional<Point> MonitorCorner(MonitorList monitors, int index);
// "/TOP" and "/BOTTOM": bottom wins; nullopt without either.
std::optional<TEdge> CommandLineEdge(bool top, bool bottom);

// The redock timer's interval for "/RP" seconds, in 64 bits and capped at 2147483647 ms; 0
// when no redock was asked for ("/RP" or "/RT" not positive).
std::uint32_t RedockIntervalMs(std::int32_t periodSeconds, std::int32_t count);

// A redock check pulls the corner back to monitor n's corner, each coordinate only when it
// drifted more than 3 pixels; nullopt when nothing moves or n is no monitor's index.
std::optional<Point> RedockedTopLeft(MonitorList monitors, int index, Point barTopLeft,
                                     std::int32_t dpi = kUnscaledDpi);

// What one redock tick does. A docked bar is docked again at its own edge, on the monitor when
// it is on another; a floating one has only its corner pulled back (then the command line's
// edge, if any, docks it).
struct RedockTick {
  std::optional<Point> moveTo;
  bool redock = false;
  bool operator==(const RedockTick&) const = default;
};
RedockTick RedockTickFor(MonitorList monitors, int index, Point barTopLeft, bool floating,
                         std::int32_t dpi = kUnscaledDpi);

}  // namespace core
