#include "platform/Taskbar.h"

// After windows.h, which it needs.
#include <shellapi.h>

namespace platform {

core::Rect TaskbarBounds(HWND asking) {
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = asking;
  if (!::SHAppBarMessage(ABM_GETTASKBARPOS, &data)) return {};
  return {data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
}

}  // namespace platform
