#include "platform/Fonts.h"

#include "platform/SystemError.h"

namespace platform {

UniqueFont CreatePointFont(HWND hwnd, const char* face, int points, int weight) {
  ScopedGetDc dc(hwnd);
  const int height = -::MulDiv(points, ::GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
  return UniqueFont(CheckHandle(::CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                              DEFAULT_PITCH | FF_DONTCARE, face)));
}

int TextHeight(HWND hwnd, HFONT font) {
  ScopedGetDc dc(hwnd);
  ScopedSelectObject select(dc.get(), font);
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc.get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace platform
