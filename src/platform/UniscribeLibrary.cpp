#include "platform/UniscribeLibrary.h"

#include "platform/LazyLibrary.h"

namespace platform::usp10 {

namespace {
constexpr char kName[] = "usp10.dll";
}

HRESULT ScriptIsComplex(const WCHAR* text, int length, DWORD flags) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::ScriptIsComplex)>("ScriptIsComplex");
  return function(text, length, flags);
}

HRESULT ScriptStringAnalyse(HDC dc, const WCHAR* text, int length, DWORD flags,
                            SCRIPT_STRING_ANALYSIS* analysis) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::ScriptStringAnalyse)>("ScriptStringAnalyse");
  // The glyph buffer the documentation recommends; Uniscribe fails rather than overflow it.
  const int glyphs = length + length / 2 + 16;
  return function(dc, text, length, glyphs, -1, flags, 0, nullptr, nullptr, nullptr, nullptr,
                  nullptr, analysis);
}

const SIZE* ScriptString_pSize(SCRIPT_STRING_ANALYSIS analysis) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::ScriptString_pSize)>("ScriptString_pSize");
  return function(analysis);
}

HRESULT ScriptStringOut(SCRIPT_STRING_ANALYSIS analysis, int x, int y, UINT options,
                        const RECT* clip) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::ScriptStringOut)>("ScriptStringOut");
  return function(analysis, x, y, options, clip, 0, 0, FALSE);
}

HRESULT ScriptStringFree(SCRIPT_STRING_ANALYSIS* analysis) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::ScriptStringFree)>("ScriptStringFree");
  return function(analysis);
}

}  // namespace platform::usp10
