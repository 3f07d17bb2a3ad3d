#pragma once
// Whether a load changed the shown text. The marquee may rewrite a text as it stores it
// (control characters), so the test compares what it holds before and after, not the raw text.

#include <string>

namespace core {

// What shows the joined text: the marquee's `ScrollText`.
class TextDisplay {
 public:
  virtual ~TextDisplay() = default;
  // The text as the display keeps it.
  virtual const std::string& ScrollText() const = 0;
  // Stores `text`, possibly rewritten.
  virtual void SetScrollText(const std::string& text) = 0;
};

// Hands `text` to `display`; true when what it holds afterwards differs from before (exact bytes).
bool ShowText(TextDisplay& display, const std::string& text);

}  // namespace core
