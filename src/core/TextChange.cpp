#include "core/TextChange.h"

namespace core {

bool ShowText(TextDisplay& display, const std::string& text) {
  const std::string before = display.ScrollText();
  display.SetScrollText(text);
  return display.ScrollText() != before;
}

}  // namespace core
