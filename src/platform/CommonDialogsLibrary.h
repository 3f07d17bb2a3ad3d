#pragma once
// comdlg32, loaded when the user first opens a font, colour or file dialog.

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

namespace platform::comdlg32 {

// Each throws SystemError naming the library and the function when they cannot be loaded.
BOOL ChooseColorA(CHOOSECOLORA* dialog);
BOOL ChooseFontA(CHOOSEFONTA* dialog);
DWORD CommDlgExtendedError();
BOOL GetOpenFileNameA(OPENFILENAMEA* dialog);
BOOL GetSaveFileNameA(OPENFILENAMEA* dialog);

}  // namespace platform::comdlg32
