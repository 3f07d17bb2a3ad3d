#include "platform/Fonts.h"

#include "platform/Dpi.h"
#include "platform/SystemError.h"

namespace platform {

namespace {

int PointsToHeight(int points, int dpi) {
  return -::MulDiv(points, dpi > 0 ? dpi : SystemDpi(), 72);
}

}  // namespace

UniqueFont CreatePointFont(const char* face, int points, int dpi) {
  FontSpec font;
  font.name = face;
  font.size = points;
  return CreateFontFrom(font, dpi);
}

UniqueFont CreateFontFrom(const FontSpec& font, int dpi) {
  return UniqueFont(CheckHandle(::CreateFontA(
      PointsToHeight(font.size, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
      font.underline, font.strikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str())));
}

COLORREF ToColorRef(std::uint32_t color) {
  if ((color & 0xFF000000u) == 0xFF000000u) return ::GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

}  // namespace platform
