#pragma once
// The stored values that decide which lines of a read are shown.

#include "core/settings/TickerSettings.h"
#include "core/text/TextPipeline.h"

#include <string>
#include <utility>

namespace core {

// `commentStr`: the stored CommentStr, decoded as the system decodes it.
inline TextOptions TextOptionsOf(const TickerSettings& values, std::u16string commentStr) {
  return {.useComment = values.UseComment,
          .commentStr = std::move(commentStr),
          .loadFirstLines = values.LoadFirstLines,
          .loadLastLines = values.LoadLastLines,
          .linesToLoad = values.LinesToLoad};
}

}  // namespace core
