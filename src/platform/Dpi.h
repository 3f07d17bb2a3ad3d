#pragma once
// The pixel density of the monitor a window is on. The program is aware of each monitor's
// density: it lays itself out at that density rather than be stretched, blurred, by the system.
// Systems before per-monitor awareness answer with the one density of the whole screen.

#include <windows.h>

#include "core/placement/DpiScale.h"

namespace platform {

// The density every window of the program has on a system that knows only one.
int SystemDpi();
// The density of the monitor `window` is on.
int DpiOf(HWND window);
// The system's message font, the dialogs' font, at `dpi`.
LOGFONTA MessageFontAt(int dpi);
// The outer size of a window with a client area `width` x `height` and these styles at `dpi`.
SIZE WindowSizeFor(int width, int height, DWORD style, DWORD exStyle, int dpi);

// Pixels given at 96 DPI for a window of `dpi`.
inline int Scaled(int pixels, int dpi) {
  return core::ScaledPixels(pixels, dpi);
}

}  // namespace platform
