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

// A font of the given face and point size for a monitor of `dpi` (0: the system's density).
UniqueFont CreatePointFont(const char* face, int points, int dpi = 0);
UniqueFont CreateFontFrom(const FontSpec& font, int dpi = 0);

// Colour values are RGB in the low 24 bits, or 0xFF000000 plus a system colour index.
COLORREF ToColorRef(std::uint32_t color);
constexpr std::uint32_t SystemColor(int index) {
  return 0xFF000000u | static_cast<std::uint32_t>(index);
}

}  // namespace platform
