#include "core/AboutRules.h"

#include "core/ProgramPaths.h"

namespace core {

Point AboutBoxPlace(Rect bar, TEdge edge, std::int32_t width, std::int32_t height, Rect monitor) {
  if (edge == TEdge::abeFloat) {
    return {static_cast<std::int32_t>(monitor.left + (std::int64_t{monitor.Width()} - width) / 2),
            static_cast<std::int32_t>(monitor.top + (std::int64_t{monitor.Height()} - height) / 2)};
  }
  const std::int32_t left = bar.left + bar.Width() / 5;
  const std::int32_t top = edge == TEdge::abeBottom ? bar.top - height : bar.bottom;
  return {left, top};
}

std::string HelpPagePath(std::string_view programPath) {
  return FolderOf(programPath) + BaseNameOf(programPath) + ".htm";
}

}  // namespace core
