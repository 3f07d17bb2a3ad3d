#include "core/text/WordWrap.h"

#include <algorithm>

#include "core/marquee/MarqueeText.h"
#include "core/text/CharacterBreaks.h"

namespace core {
namespace {

constexpr std::size_t kNone = std::u16string_view::npos;

// Where a line may end after the last blank that starts within `fits` units: after the blanks
// that follow it, unless a mark there makes the last of them part of the next word. kNone when
// no blank lets the line break.
std::size_t AfterLastBlank(std::u16string_view text, std::size_t fits) {
  std::size_t blank = text.find_last_of(u' ', fits - 1);
  while (blank != kNone) {
    const std::size_t end = text.find_first_not_of(u' ', blank);
    if (end == kNone) return text.size();
    if (StartsCharacter(text, end)) return end;
    const std::size_t word = text.find_last_not_of(u' ', blank);
    blank = word == kNone ? kNone : text.find_last_of(u' ', word);
  }
  return kNone;
}

// A word cut where it stops fitting, between whole characters: after the first one when not
// even that fits.
std::size_t WholeCharactersWithin(std::u16string_view text, std::size_t fits) {
  std::size_t end = fits;
  while (end > 0 && !StartsCharacter(text, end)) --end;
  if (end > 0) return end;
  end = 1;
  while (!StartsCharacter(text, end)) ++end;
  return end;
}

}  // namespace

std::vector<std::u16string_view> WrapParagraph(TextMeasurer& measurer,
                                               std::u16string_view paragraph, int width) {
  std::vector<std::u16string_view> lines;
  if (paragraph.empty()) {
    lines.push_back(paragraph);
    return lines;
  }
  while (!paragraph.empty()) {
    const std::size_t fits = LongestStartWithin(measurer, paragraph, width);
    if (fits >= paragraph.size()) {
      lines.push_back(paragraph);
      break;
    }
    // Break after the last blank that fits, and let the blanks that follow it stay on the line.
    std::size_t end = AfterLastBlank(paragraph, std::max<std::size_t>(fits, 1));
    if (end == kNone) end = WholeCharactersWithin(paragraph, fits);
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
