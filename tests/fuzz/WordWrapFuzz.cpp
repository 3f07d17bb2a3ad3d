// Word wrap of the vertical mode: the display lines are the paragraph cut into pieces, and no
// piece is wider than the width (its trailing blanks aside) unless it is one character or none; a
// word is cut only when no blank lets the line break.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/marquee/MarqueeTextMeasurer.h"
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
    next += line.size();
    FUZZ_CHECK(!line.empty() || paragraph.empty());
    const std::u16string_view shown = WithoutTrailingBlanks(line);
    FUZZ_CHECK(measurer.Width(shown) <= width || shown.size() <= 1);
    if (i + 1 < lines.size()) FUZZ_CHECK(line.back() == u' ' || line.find(u' ') == line.npos);
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
  display.SetLines(core::TextLines(std::u16string(bytes.begin(), bytes.end())));
  const auto& paragraphs = display.Paragraphs();
  const std::size_t pieces =
      std::accumulate(paragraphs.begin(), paragraphs.end(), std::size_t{0},
                      [&](std::size_t count, std::u16string_view paragraph) {
                        return count + CheckParagraph(measurer, paragraph, width);
                      });
  FUZZ_CHECK(display.Wrap(measurer, width).size() == pieces);
  return 0;
}
