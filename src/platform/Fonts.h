#pragma once

#include "platform/Handles.h"

namespace platform {

// A font of the given face and point size for the screen the window is on.
UniqueFont CreatePointFont(HWND hwnd, const char* face, int points,
                           int weight = FW_NORMAL);
// The height of a line of text in that font, in pixels.
int TextHeight(HWND hwnd, HFONT font);

}  // namespace platform
