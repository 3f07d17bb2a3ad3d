#include "core/text/WordWrap.h"

#include "core/marquee/MarqueeText.h"

namespace core {

std::vector<std::u16string_view> WrapParagraph(TextMeasurer& measurer,
                                               std::u16string_view paragraph, int width) {
  std::vector<std::u16string_view> lines;
  if (paragraph.empty()) {
    lines.push_back(paragraph);
    return lines;
  }
  while (!paragraph.empty()) {
    size_t fits = LongestStartWithin(measurer, paragraph, width);
    if (fits >= paragraph.size()) {
      lines.push_back(paragraph);
      break;
    }
    if (fits == 0) fits = 1;
    // Break after the last blank that fits, and let the blanks that follow it stay on the line.
    size_t end = paragraph.find_last_of(u' ', fits - 1);
    if (end == std::u16string_view::npos) {
      end = fits;
    } else {
      end = paragraph.find_first_not_of(u' ', end);
      if (end == std::u16string_view::npos) end = paragraph.size();
    }
    lines.push_back(paragraph.substr(0, end));
    paragraph.remove_prefix(end);
  }
  return lines;
}

std::vector<std::u16string_view> DisplayLines::Wrap(TextMeasurer& measurer, int width) {
  std::vector<std::u16string_view> wrapped;
  for (const std::u16string_view paragraph : lines_.Lines()) {
    for (const std::u16string_view line : WrapParagraph(measurer, paragraph, width)) {
      wrapped.push_back(line);
    }
  }
  return wrapped;
}

}  // namespace core
