// Cost of one marquee step at a 1024-pixel width as the text grows: a step should only ever
// pay for what is visible.

#include "core/marquee/MarqueeAnimation.h"

#include <benchmark/benchmark.h>

#include "NewsText.h"

#include <string>
#include <string_view>

namespace {

constexpr int kClientWidth = 1024;

// Costs in proportion to what it measures, like GetTextExtentPoint32W.
class TouchingMeasurer : public core::TextMeasurer {
 public:
  int Width(std::u16string_view text) override { return kCharWidth * Touch(text); }
  int Height(std::u16string_view text) override {
    Touch(text);
    return kLineHeight;
  }

 private:
  static constexpr int kCharWidth = 7;
  static constexpr int kLineHeight = 16;

  static int Touch(std::u16string_view text) {
    unsigned sum = 0;
    for (const char16_t c : text) {
      sum += c;
      benchmark::DoNotOptimize(sum);
    }
    return static_cast<int>(text.size());
  }
};

void StepAtWidth(benchmark::State& state, core::TScrollStyle style) {
  TouchingMeasurer measurer;
  core::MarqueeAnimation animation;
  animation.SetScrollStyle(style);
  animation.SetContinuous(true);
  animation.SetClientWidth(kClientWidth);
  animation.SetText(NewsText(static_cast<std::size_t>(state.range(0))));
  // The run's first tick prepares and measures the whole text once; steady steps follow.
  for (int tick = 0; tick < 2 * kClientWidth; ++tick) animation.Tick(measurer);
  for (auto _ : state) {
    const core::MarqueeFrame frame = animation.Tick(measurer);
    benchmark::DoNotOptimize(frame);
  }
}

void BM_MarqueeScrollStep(benchmark::State& state) {
  StepAtWidth(state, core::TScrollStyle::ssScroll);
}

void BM_MarqueeBounceStep(benchmark::State& state) {
  StepAtWidth(state, core::TScrollStyle::ssBounce);
}

BENCHMARK(BM_MarqueeScrollStep)->Arg(100)->Arg(64 << 10)->Arg(1 << 20);
// At 7 pixels a byte the 100-byte text fits and bounces whole; 200 bytes is the shortest
// listed text that takes the long text's path like the larger ones.
BENCHMARK(BM_MarqueeBounceStep)->Arg(100)->Arg(200)->Arg(64 << 10)->Arg(1 << 20);

}  // namespace
