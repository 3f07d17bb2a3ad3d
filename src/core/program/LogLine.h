#pragma once

#include <string>
#include <string_view>

namespace core {

// One log line: the date and time as the user's locale writes them, " - ", the message.
// Line breaks inside the message are flattened so that every event stays one line.
std::string FormatLogLine(std::string_view date, std::string_view time, std::string_view message);

}  // namespace core
