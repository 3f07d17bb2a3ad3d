#pragma once
// The log line for a text that the system's code page cannot show whole.

#include <string>

#include "platform/CodePageText.h"

inline std::string CannotShowAll(const std::string& source) {
  return "Some characters of " + source + " cannot be shown in code page " +
         std::to_string(platform::SystemCodePage());
}
