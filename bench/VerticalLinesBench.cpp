// A line tick on a 10 MB text against a 100-byte text: the bar keeps the wrapped display lines,
// so a tick and its slide should cost the same whatever the text size.

#include "core/marquee/VerticalLines.h"

#include <benchmark/benchmark.h>

#include "NewsText.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kLineLength = 60;
constexpr std::int32_t kLabelHeight = 16;
constexpr std::int32_t kSlideAmount = 2;

// Display lines of about 60 units over the whole text, as the word wrap would leave them.
std::vector<std::u16string_view> DisplayLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  for (std::size_t start = 0; start < text.size(); start += kLineLength)
    lines.push_back(text.substr(start, std::min(kLineLength, text.size() - start)));
  return lines;
}

void BM_VerticalLineTick(benchmark::State& state) {
  const std::u16string text = NewsText(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::u16string_view> lines = DisplayLines(text);
  core::VerticalLines bar;
  bar.Layout(kLabelHeight);
  // The first line arrives at once after the layout; steady ticks slide the full height.
  bar.NextLine(lines);
  bar.SlideStep(kSlideAmount);
  for (auto _ : state) {
    bar.NextLine(lines);
    while (!bar.SlideStep(kSlideAmount)) {
    }
    benchmark::DoNotOptimize(bar.Label1().caption.data());
    benchmark::DoNotOptimize(bar.Label2().caption.data());
  }
  state.counters["lines"] = static_cast<double>(lines.size());
}

}  // namespace

BENCHMARK(BM_VerticalLineTick)->Arg(100)->Arg(10 << 20)->Repetitions(5)->ReportAggregatesOnly();
