#pragma once
// The taskbar's rectangle as the shell reports it.

#include <windows.h>

#include "core/placement/ScreenGeometry.h"

namespace platform {

// Empty when the shell does not say: no taskbar is then in the way.
core::Rect TaskbarBounds(HWND asking);

}  // namespace platform
