#pragma once
// The system's file dialogs: opening any file, saving one, and logo pictures with a preview of
// the file the user points at.

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

struct OpenFileChoice {
  const char* filter = nullptr;            // pairs of "name\0patterns\0"; none: every file
  const char* defaultExtension = nullptr;  // added to a name typed without one
  std::string initial;                     // the path the dialog opens on
  bool mustExist = false;
};

// The picked path; nullopt when the user cancels.
std::optional<std::string> OpenFileDialog(HWND owner, const OpenFileChoice& choice);
// The system's save dialog, which asks before a file is replaced.
std::optional<std::string> SaveFileDialog(HWND owner, const OpenFileChoice& choice);
std::optional<std::string> OpenPictureDialog(HWND owner, const std::string& initial);

}  // namespace platform
