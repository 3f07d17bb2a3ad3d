#include "core/program/LogLine.h"

namespace core {

std::string FormatLogLine(std::string_view date, std::string_view time, std::string_view message) {
  std::string line;
  line.reserve(date.size() + time.size() + message.size() + 4);
  line.append(date).append(" ").append(time).append(" - ");
  for (const char c : message) line += (c == '\r' || c == '\n') ? ' ' : c;
  return line;
}

}  // namespace core
