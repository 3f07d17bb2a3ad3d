#pragma once
// The stored values that decide which lines of a read are shown.

#include "core/settings/TickerSettings.h"
#include "core/text/TextPipeline.h"

namespace core {

inline TextOptions TextOptionsOf(const TickerSettings& values) {
  return {.useComment = values.UseComment,
          .commentStr = values.CommentStr,
          .loadFirstLines = values.LoadFirstLines,
          .loadLastLines = values.LoadLastLines,
          .linesToLoad = values.LinesToLoad};
}

}  // namespace core
