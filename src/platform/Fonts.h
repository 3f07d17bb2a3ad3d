#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/Handles.h"

namespace platform {

// A font as the user chooses it: face, size in points, style and colour.
struct FontSpec {
  std::string name = "MS Sans Serif";
  int size = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint32_t color = 0;  // a colour value (see ToColorRef)
};

// A font of the given face and point size for the screen the window is on.
UniqueFont CreatePointFont(HWND hwnd, const char* face, int points, int weight = FW_NORMAL);
UniqueFont CreateFontFrom(const FontSpec& font);
// The height of a line of text in that font, in pixels.
int TextHeight(HWND hwnd, HFONT font);

// Colour values are RGB in the low 24 bits, or 0xFF000000 plus a system colour index.
COLORREF ToColorRef(std::uint32_t color);
constexpr std::uint32_t SystemColor(int index) {
  return 0xFF000000u | static_cast<std::uint32_t>(index);
}

}  // namespace platform
