#pragma once
// The About box's place beside the bar, and the help page the Help command opens.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/placement/AppBarGeometry.h"
#include "core/placement/ScreenGeometry.h"

namespace core {

// Beside a docked bar: a fifth of its width in, below it (above it at the bottom edge), not
// kept within the bar or the screen. Over a floating bar: centred on its monitor.
Point AboutBoxPlace(Rect bar, TEdge edge, std::int32_t width, std::int32_t height, Rect monitor);

// The page beside the program with the program's name: "D:\Tools\bar.exe" -> "D:\Tools\bar.htm".
std::string HelpPagePath(std::string_view programPath);

}  // namespace core
