#pragma once
// UTF-16 text measured and drawn as one run in the font selected in a device context. Text that
// the font shows by itself goes straight to GDI, as cheap as ever; text in scripts the font
// lacks, or that needs shaping or reordering, goes through Uniscribe with the system's font
// fallback. The path is decided once per text and font, not at every frame.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace platform {

enum class TextPath { Direct, Shaped };

// With the font selected in `dc`: Direct when the font has a glyph for every character and no
// character needs shaping or reordering; Shaped otherwise. Linear in the text's length.
TextPath PathFor(HDC dc, std::u16string_view text) noexcept;

// Width and height of the text drawn as one run on `path`; an empty text is 0 wide. Where
// Uniscribe fails (no memory, a text too long for it, no library) it is measured as Direct.
SIZE MeasureRun(HDC dc, std::u16string_view text, TextPath path) noexcept;

// The last shaped text drawn on one device context in one font, kept for the next frame, which
// most often draws the same characters again a pixel further on: shaping them is most of the
// cost of drawing them.
class ShapedRunCache {
 public:
  ShapedRunCache();
  ShapedRunCache(const ShapedRunCache&) = delete;
  ShapedRunCache& operator=(const ShapedRunCache&) = delete;
  ~ShapedRunCache();
  // The font or the device context changed: nothing kept holds any more.
  void Forget() noexcept;

  struct Kept;
  std::unique_ptr<Kept> kept;
};

// Draws as ExtTextOutW(dc, x, y, options, rect, ...) would: ETO_OPAQUE fills `rect` with the
// background colour first and ETO_CLIPPED clips to it. Where Uniscribe fails it draws as Direct
// rather than nothing. With a cache, a shaped text drawn last time on it is not shaped again.
void DrawRun(HDC dc, int x, int y, UINT options, const RECT* rect, std::u16string_view text,
             TextPath path, ShapedRunCache* cache = nullptr) noexcept;

}  // namespace platform
