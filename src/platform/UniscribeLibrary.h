#pragma once
// usp10, loaded when a text first needs more than the font's own glyphs, so that a Latin bar
// never maps it.

#include <windows.h>
// After windows.h, which it needs.
#include <usp10.h>

namespace platform::usp10 {

// Each throws SystemError naming the library and the function when they cannot be loaded.
HRESULT ScriptIsComplex(const WCHAR* text, int length, DWORD flags);
HRESULT ScriptStringAnalyse(HDC dc, const WCHAR* text, int length, DWORD flags,
                            SCRIPT_STRING_ANALYSIS* analysis);
const SIZE* ScriptString_pSize(SCRIPT_STRING_ANALYSIS analysis);
HRESULT ScriptStringOut(SCRIPT_STRING_ANALYSIS analysis, int x, int y, UINT options,
                        const RECT* clip);
HRESULT ScriptStringFree(SCRIPT_STRING_ANALYSIS* analysis);

}  // namespace platform::usp10
