#pragma once
// The app bar's arithmetic: which monitor it docks on, the rectangle it proposes to the shell
// for each edge, and how it takes the shell's answer.

#include <cstdint>

#include "core/placement/ScreenGeometry.h"

namespace core {

// The ordinal goes to the shell unchanged: 0 to 3 are ABE_LEFT, ABE_TOP, ABE_RIGHT and
// ABE_BOTTOM; floating sends 4, which the shell knows as no edge.
enum class TEdge : std::uint8_t { abeLeft, abeTop, abeRight, abeBottom, abeFloat };

struct BarSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The point that chooses the monitor: the cursor while it is over the bar, so that a bar
// pulled across monitors docks where the user holds it, else the bar's top-left corner.
Point BarReferencePoint(Rect barBounds, Point cursor);

// The rectangle asked of the shell for `edge` on `monitor` (full bounds, not the work area).
// Left and right edges use 0 and the primary screen's width, as the shell's own samples do.
Rect ProposedBarRect(TEdge edge, Rect monitor, BarSize size, std::int32_t primaryScreenWidth);

// The shell's answer, shrunk to keep clear of the taskbar and other bars, taken back to the
// bar's own size at its edge; floating goes to `floatRect` whatever the shell said.
Rect AdjustedBarRect(TEdge edge, Rect answer, BarSize size, Rect floatRect);

// What to set at `edge` to give the `reserved` strip back: the strip with no thickness, on the
// screen's edge. (An empty rectangle at the origin would, at the right or bottom edge, reserve
// everything from 0.)
Rect ReleasedStrip(TEdge edge, Rect reserved);

}  // namespace core
