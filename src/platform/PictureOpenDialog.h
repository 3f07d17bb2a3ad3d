#pragma once
// The open dialog for logo pictures, with a preview of the file the user points at.

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

// The picked path; nullopt when the user cancels.
std::optional<std::string> OpenPictureDialog(HWND owner, const std::string& initial);

}  // namespace platform
