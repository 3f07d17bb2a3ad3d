#pragma once
// comctl32, loaded when a dialog first needs its controls.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace platform::comctl32 {

// Throws SystemError naming the library and the function when they cannot be loaded.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);

}  // namespace platform::comctl32
