#include "core/program/AboutRules.h"

#include "core/placement/BarPlacement.h"
#include "core/program/ProgramPaths.h"

namespace core {

Point AboutBoxPlace(Rect bar, TEdge edge, std::int32_t width, std::int32_t height, Rect monitor) {
  // Unlike the options dialog, never pulled back to the bar's end.
  return DialogPlace(bar, edge, {width, height}, monitor, 5, BarEnd::MayPass);
}

std::string HelpPagePath(std::string_view programPath) {
  return FolderOf(programPath) + BaseNameOf(programPath) + ".htm";
}

}  // namespace core
