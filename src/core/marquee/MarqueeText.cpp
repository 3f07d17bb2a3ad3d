#include "core/marquee/MarqueeText.h"

#include <algorithm>

namespace core {
namespace {

constexpr unsigned char kFirstPrintable = 32;

// A start of the text only gets wider as it gets longer, so the shortest start that reaches a
// width can be found by doubling and halving; a long text then costs a few measurements of
// what is visible instead of one measurement per character.
// Returns the shortest length in [0, size] whose start has reached, or size + 1 if none has.
template <class Reached>
std::size_t ShortestStart(std::u16string_view text, Reached reached) {
  if (reached(text.substr(0, 0))) return 0;
  std::size_t below = 0;  // longest length known not to have reached
  std::size_t probe = 1;
  while (probe < text.size() && !reached(text.substr(0, probe))) {
    below = probe;
    probe *= 2;
  }
  if (probe >= text.size()) {
    probe = text.size();
    if (probe == below || !reached(text)) return text.size() + 1;
  }
  while (probe - below > 1) {
    const std::size_t middle = below + (probe - below) / 2;
    if (reached(text.substr(0, middle))) {
      probe = middle;
    } else {
      below = middle;
    }
  }
  return probe;
}

}  // namespace

std::u16string StripCodes(std::u16string_view text, char newControlCode) {
  std::u16string stripped(text);
  StripCodesInPlace(stripped, newControlCode);
  return stripped;
}

void StripCodesInPlace(std::u16string& text, char newControlCode) {
  // The stored code is a byte; the unit of the same value takes its place.
  const char16_t replacement =
      newControlCode == '\0' ? u' ' : static_cast<unsigned char>(newControlCode);
  std::replace_if(
      text.begin(), text.end(), [](char16_t c) { return c < kFirstPrintable; }, replacement);
}

bool IsRefusedControlCode(char code) {
  return code != '\0' && static_cast<unsigned char>(code) < kFirstPrintable;
}

int FitHeight(TextMeasurer& measurer, std::u16string_view text, int margin) {
  return measurer.Height(text.empty() ? std::u16string_view(u"Xg") : text) + margin;
}

int BandTop(int clientHeight, int bandHeight, MarqueeCentering centering) {
  return centering == MarqueeCentering::kCentered ? (clientHeight - bandHeight) / 2 : 0;
}

std::size_t LongestStartWithin(TextMeasurer& measurer, std::u16string_view text, int maxWidth) {
  const std::size_t tooWide = ShortestStart(
      text, [&](std::u16string_view start) { return measurer.Width(start) > maxWidth; });
  return tooWide == 0 ? 0 : tooWide - 1;
}

std::optional<std::size_t> CharacterAt(std::u16string_view text, int x, TextMeasurer& measurer) {
  if (x < 0) return std::nullopt;
  const std::size_t covering =
      ShortestStart(text, [&](std::u16string_view start) { return measurer.Width(start) > x; });
  if (covering == 0 || covering > text.size()) return std::nullopt;
  return covering - 1;
}

MarqueeStill StillPicture(TextMeasurer& measurer, std::u16string_view text, int clientWidth,
                          int clientHeight, MarqueeCentering centering) {
  const std::size_t reaching = ShortestStart(
      text, [&](std::u16string_view start) { return measurer.Width(start) >= clientWidth; });
  MarqueeStill still;
  still.text = text.substr(0, std::min(reaching, text.size()));
  still.y = BandTop(clientHeight, measurer.Height(still.text), centering);
  return still;
}

}  // namespace core
