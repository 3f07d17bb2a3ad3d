// Word wrap of the vertical mode: the display lines are the paragraph cut into pieces, each
// starting a whole character, and no piece is wider than the width (its trailing blanks aside)
// unless it is one character or none; a word is cut only when no blank lets the line break.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <iterator>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/marquee/MarqueeTextMeasurer.h"
#include "core/text/CharacterBreaks.h"
#include "core/text/TextLines.h"
#include "core/text/WordWrap.h"

namespace {

// Each unit as wide as the input says, some of them 0 pixels: the font need not be kind.
class UnitWidths : public core::TextMeasurer {
 public:
  UnitWidths(int seed, int modulus) : seed_(seed), modulus_(modulus) {}
  int Width(std::u16string_view text) override {
    return std::accumulate(text.begin(), text.end(), 0, [this](int width, char16_t c) {
      return width + (c * seed_) % modulus_;
    });
  }
  int Height(std::u16string_view) override { return 12; }

 private:
  int seed_;
  int modulus_;
};

// Bytes below 128 are themselves; the others stand for units a cut must not separate (halves
// of surrogate pairs, marks, a joiner, selectors) and a few that start characters.
constexpr char16_t kUnits[] = {0xD83D, 0xDE00, 0xD83C, 0xDFFD, 0x0301, 0x20E3, 0x200D,
                               0xFE0F, 0x0E31, 0xDB40, 0xDC61, 0x00E9, 0x4E2D};

std::u16string Units(const std::string& bytes) {
  std::u16string units;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    units += byte < 0x80 ? byte : kUnits[(byte - 0x80) % std::size(kUnits)];
  }
  return units;
}

// No other character starts inside it.
bool IsOneCharacter(std::u16string_view text) {
  for (std::size_t at = 1; at < text.size(); ++at) {
    if (core::StartsCharacter(text, at)) return false;
  }
  return true;
}

// Whether the line holds blanks after which a line of the paragraph could end.
bool HasBreakingBlank(std::u16string_view paragraph, std::u16string_view line) {
  const auto offset = static_cast<std::size_t>(line.data() - paragraph.data());
  for (std::size_t at = 0; at + 1 < line.size(); ++at) {
    if (line[at] == u' ' && line[at + 1] != u' ' &&
        core::StartsCharacter(paragraph, offset + at + 1)) {
      return true;
    }
  }
  return false;
}

std::u16string_view WithoutTrailingBlanks(std::u16string_view line) {
  while (!line.empty() && line.back() == u' ') line.remove_suffix(1);
  return line;
}

// Returns the number of display lines the paragraph gives.
std::size_t CheckParagraph(core::TextMeasurer& measurer, std::u16string_view paragraph, int width) {
  const std::vector<std::u16string_view> lines = core::WrapParagraph(measurer, paragraph, width);
  FUZZ_CHECK(!lines.empty());
  const char16_t* next = paragraph.data();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::u16string_view line = lines[i];
    FUZZ_CHECK(line.data() == next);  // the pieces follow each other, nothing left out
    FUZZ_CHECK(!line.empty() || paragraph.empty());
    FUZZ_CHECK(core::StartsCharacter(paragraph, static_cast<std::size_t>(next - paragraph.data())));
    // Plainly too: never the second half of a surrogate pair.
    FUZZ_CHECK(i == 0 || !(line[0] >= 0xDC00 && line[0] <= 0xDFFF && next[-1] >= 0xD800 &&
                           next[-1] <= 0xDBFF));
    next += line.size();
    const std::u16string_view shown = WithoutTrailingBlanks(line);
    FUZZ_CHECK(measurer.Width(shown) <= width || IsOneCharacter(shown));
    if (i + 1 < lines.size()) FUZZ_CHECK(line.back() == u' ' || !HasBreakingBlank(paragraph, line));
  }
  FUZZ_CHECK(next == paragraph.data() + paragraph.size());
  return lines.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  UnitWidths measurer(provider.ConsumeIntegralInRange(1, 255),
                      provider.ConsumeIntegralInRange(1, 16));
  const int width = provider.ConsumeIntegralInRange(-4, 200);
  const std::string bytes = provider.ConsumeRemainingBytesAsString();
  core::DisplayLines display;
  display.SetLines(core::TextLines(Units(bytes)));
  const auto& paragraphs = display.Paragraphs();
  const std::size_t pieces =
      std::accumulate(paragraphs.begin(), paragraphs.end(), std::size_t{0},
                      [&](std::size_t count, std::u16string_view paragraph) {
                        return count + CheckParagraph(measurer, paragraph, width);
                      });
  FUZZ_CHECK(display.Wrap(measurer, width).size() == pieces);
  return 0;
}
