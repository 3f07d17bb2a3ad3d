#include "platform/TextRuns.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "platform/Handles.h"
#include "platform/UniscribeLibrary.h"

namespace platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is the system's wide text");

const wchar_t* Wide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

// GDI and Uniscribe count in int; nothing longer fits on a screen anyway.
int Length(std::u16string_view text) {
  return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

// Printable Latin, its supplement and extensions: nothing there is shaped or reordered, so
// such a text needs no Uniscribe at all. Controls and the soft hyphen are Uniscribe's.
bool PlainLatin(char16_t unit) {
  return unit >= 0x20 && unit < 0x300 && (unit < 0x7F || unit >= 0xA0) && unit != 0xAD;
}

bool FontHasEveryGlyph(HDC dc, std::u16string_view text) {
  // A piece at a time on the stack: deciding must not allocate.
  constexpr std::size_t kPiece = 256;
  WORD glyphs[kPiece];
  for (std::size_t at = 0; at < text.size(); at += kPiece) {
    const auto piece = text.substr(at, kPiece);
    const int length = static_cast<int>(piece.size());
    if (::GetGlyphIndicesW(dc, Wide(piece), length, glyphs, GGI_MARK_NONEXISTING_GLYPHS) ==
        GDI_ERROR) {
      return false;
    }
    if (std::find(glyphs, glyphs + length, WORD{0xFFFF}) != glyphs + length) return false;
  }
  return true;
}

// Without Uniscribe nothing can be shaped, and GDI draws the text as it can.
bool NeedsShaping(std::u16string_view text) noexcept try {
  if (std::all_of(text.begin(), text.end(), PlainLatin)) return false;
  return usp10::ScriptIsComplex(Wide(text), Length(text), SIC_COMPLEX) == S_OK;
} catch (...) {
  return false;
}

void FreeAnalysis(SCRIPT_STRING_ANALYSIS analysis) {
  // Never thrown: the library that made the analysis stays loaded for the run.
  try {
    usp10::ScriptStringFree(&analysis);
  } catch (...) {
  }
}
using UniqueAnalysis = UniqueNullable<SCRIPT_STRING_ANALYSIS, &FreeAnalysis>;

UniqueAnalysis Analyse(HDC dc, std::u16string_view text) {
  SCRIPT_STRING_ANALYSIS analysis = nullptr;
  // SSA_LINK: ideographs are simple script to Uniscribe, and only font linking finds them.
  const HRESULT result = usp10::ScriptStringAnalyse(
      dc, Wide(text), Length(text), SSA_GLYPHS | SSA_FALLBACK | SSA_LINK, &analysis);
  return UniqueAnalysis(SUCCEEDED(result) ? analysis : nullptr);
}

// The shaped functions answer nothing, or false, where Uniscribe refuses the text (an empty
// one among them), runs out of memory or cannot be loaded: the caller then goes to GDI.
std::optional<SIZE> ShapedExtent(HDC dc, std::u16string_view text) noexcept try {
  const UniqueAnalysis analysis = Analyse(dc, text);
  const SIZE* size = analysis ? usp10::ScriptString_pSize(analysis.get()) : nullptr;
  return size ? std::optional<SIZE>(*size) : std::nullopt;
} catch (...) {
  return std::nullopt;
}

}  // namespace

struct ShapedRunCache::Kept {
  std::u16string text;
  UniqueAnalysis analysis;
};

ShapedRunCache::ShapedRunCache() = default;
ShapedRunCache::~ShapedRunCache() = default;

void ShapedRunCache::Forget() noexcept {
  kept.reset();
}

namespace {

bool DrawShaped(HDC dc, int x, int y, UINT options, const RECT* rect, std::u16string_view text,
                ShapedRunCache* cache) noexcept try {
  UniqueAnalysis made;
  SCRIPT_STRING_ANALYSIS analysis = nullptr;
  if (cache && cache->kept && cache->kept->text == text) {
    analysis = cache->kept->analysis.get();
  } else {
    made = Analyse(dc, text);
    analysis = made.get();
    if (analysis && cache) {
      cache->kept = std::make_unique<ShapedRunCache::Kept>(
          ShapedRunCache::Kept{std::u16string(text), std::move(made)});
    }
  }
  if (!analysis) return false;
  // Uniscribe draws item by item; one fill under all of them, as ExtTextOutW makes it.
  if (options & ETO_OPAQUE) ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
  return SUCCEEDED(usp10::ScriptStringOut(analysis, x, y, options & ETO_CLIPPED, rect));
} catch (...) {
  // Whatever was kept may be half made: the next frame shapes its text anew.
  if (cache) cache->Forget();
  return false;
}

}  // namespace

TextPath PathFor(HDC dc, std::u16string_view text) noexcept {
  return FontHasEveryGlyph(dc, text) && !NeedsShaping(text) ? TextPath::Direct : TextPath::Shaped;
}

SIZE MeasureRun(HDC dc, std::u16string_view text, TextPath path) noexcept {
  if (path == TextPath::Shaped) {
    if (const auto size = ShapedExtent(dc, text)) return *size;
  }
  SIZE size{};
  ::GetTextExtentPoint32W(dc, Wide(text), Length(text), &size);
  return size;
}

void DrawRun(HDC dc, int x, int y, UINT options, const RECT* rect, std::u16string_view text,
             TextPath path, ShapedRunCache* cache) noexcept {
  if (path == TextPath::Shaped && DrawShaped(dc, x, y, options, rect, text, cache)) return;
  ::ExtTextOutW(dc, x, y, options, rect, Wide(text), static_cast<UINT>(Length(text)), nullptr);
}

}  // namespace platform
