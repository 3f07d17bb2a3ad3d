#include "platform/ShellOpen.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace platform {

bool OpenWithShell(const std::string& target) {
  const HINSTANCE result =
      ::ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // Results up to 32 are error codes; the handle is only a number kept for old programs.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace platform
