#pragma once
// The monitors' bounds in the system's order, and the screen's view of the cursor and the
// taskbar, as the placement rules take them.

#include <windows.h>

#include <optional>
#include <vector>

#include "core/placement/ScreenGeometry.h"

namespace platform {

// Never empty: without an answer from the system, the primary screen alone.
std::vector<core::Rect> MonitorBounds();

// nullopt when the cursor cannot be read (another desktop has the input, say).
std::optional<core::Point> CursorPosition();
// Where the cursor was when the message being handled was posted.
core::Point MessageCursorPosition();

core::Rect ToRect(const RECT& rect);
RECT ToRECT(const core::Rect& rect);
// A window's bounds in screen pixels.
core::Rect WindowBounds(HWND window);

}  // namespace platform
