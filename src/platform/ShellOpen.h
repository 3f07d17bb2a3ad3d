#pragma once
// Opening a document or an address with the program the user has for it.

#include <string>

namespace platform {

// False when the shell could not open it (no program for it, no such file, ...).
bool OpenWithShell(const std::string& target);

}  // namespace platform
