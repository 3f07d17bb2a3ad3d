// The text pipeline against a plain memchr line count of the same buffer, and the peak memory
// one pipeline run allocates on top of its input.

#include "core/text/TextLines.h"
#include "core/text/TextPipeline.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "AllocationCounter.h"

namespace {

// CR LF lines of varied length averaging 52 bytes (10 MB gives about 200,000 lines), one in
// sixteen a comment line, with some high bytes as an 8-bit code page file would have. The
// pipeline gets them decoded, a unit per byte.
std::string MakeText(std::size_t size) {
  static constexpr std::string_view kWords =
      "Driftline markets \xE9t\xE9 weather: sunny 21\xB0, wind NW 12 km/h; rates 4.25% steady "
      "news headline update ";
  std::string text;
  text.reserve(size);
  for (std::size_t line = 0; text.size() < size; ++line) {
    if (line % 16 == 0) text += "  # ";
    const std::size_t length = 20 + (line * 37) % 61;
    const std::size_t start = (line * 13) % (kWords.size() - length);
    text.append(kWords.substr(start, std::min(length, size - text.size())));
    text += "\r\n";
  }
  text.resize(size);
  return text;
}

const std::string& Text(std::size_t size) {
  static std::string text;
  if (text.size() != size) text = MakeText(size);
  return text;
}

const std::u16string& Shown(std::size_t size) {
  static std::u16string shown;
  if (shown.size() != size) {
    const std::string& bytes = Text(size);
    shown.assign(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), shown.begin(),
                   [](char c) { return static_cast<unsigned char>(c); });
  }
  return shown;
}

// Comment lines dropped and a line selection that keeps every line: the most work per byte.
core::TextOptions Options(bool lastLines, int count = 1000000) {
  core::TextOptions options;
  options.useComment = true;
  options.commentStr = u" # ";
  options.loadFirstLines = !lastLines;
  options.loadLastLines = lastLines;
  options.linesToLoad = count;
  return options;
}

// glibc hands a large freed block back to the kernel, and the next run would spend its time on
// the kernel clearing fresh pages; a long-running program's heap keeps them, as here.
void KeepFreedMemory() {
  static const bool kept = [] {
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    return true;
  }();
  benchmark::DoNotOptimize(kept);
}

// What a read hands over: the decoded text in a string of its own, which the lines take over.
std::u16string BufferOf(const std::u16string& text) {
  return text;
}

// `splitFirst`: the lines are split before the selection, the road of a list of lines.
std::size_t RunPipeline(std::u16string shown, const core::TextOptions& options,
                        bool splitFirst = false) {
  core::TextLines lines(std::move(shown));
  if (splitFirst) benchmark::DoNotOptimize(lines.Lines().data());
  const std::u16string text = core::BuildText(lines, options);
  return text.size() + lines.Lines().size();
}

void BM_TextLineCount(benchmark::State& state) {
  const std::string& text = Text(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::size_t count = 0;
    const char* pos = text.data();
    const char* const end = pos + text.size();
    while (const void* found = std::memchr(pos, '\n', static_cast<std::size_t>(end - pos))) {
      ++count;
      pos = static_cast<const char*>(found) + 1;
    }
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Split, comment filter, line selection and join of one read.
void RunPipelineBenchmark(benchmark::State& state, bool lastLines, int count = 1000000,
                          bool splitFirst = false) {
  KeepFreedMemory();
  const std::u16string& text = Shown(static_cast<std::size_t>(state.range(0)));
  const core::TextOptions options = Options(lastLines, count);
  // Buffers are copied ahead in batches, so that pausing the clock does not swamp small texts.
  const std::size_t batch = std::clamp<std::size_t>((1U << 20) / text.size(), 1, 4096);
  std::vector<std::u16string> ready;
  for (auto _ : state) {
    if (ready.empty()) {
      state.PauseTiming();
      ready.resize(batch);
      for (std::u16string& bytes : ready) bytes = BufferOf(text);
      state.ResumeTiming();
    }
    std::u16string bytes = std::move(ready.back());
    ready.pop_back();
    benchmark::DoNotOptimize(RunPipeline(std::move(bytes), options, splitFirst));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));

  std::u16string bytes = BufferOf(text);
  const std::size_t before = allocation_counter::StartPeak();
  benchmark::DoNotOptimize(RunPipeline(std::move(bytes), options));
  const double extra = static_cast<double>(allocation_counter::Peak() - before);
  const double input = static_cast<double>(text.size() * sizeof(char16_t));
  state.counters["lines"] = static_cast<double>(core::SplitLines(text).size());
  state.counters["peakExtraBytes"] = extra;
  state.counters["peakPerInputByte"] = extra / input;
  // The goal is at most 3 times the input plus 1 MB: 1 is the limit.
  state.counters["peakShareOfGoal"] = extra / (3 * input + 1024.0 * 1024.0);
}

// First lines: split, filter and join in one walk over the bytes.
void BM_TextPipeline(benchmark::State& state) {
  RunPipelineBenchmark(state, false);
}

// Last lines, all of them: one walk over the bytes, the walk back from the end given up early.
void BM_TextPipelineLastLines(benchmark::State& state) {
  RunPipelineBenchmark(state, true);
}

// The same over lines split first and walked back from the end: the road before the walk back
// over the bytes.
void BM_TextPipelineLastLinesSplitFirst(benchmark::State& state) {
  RunPipelineBenchmark(state, true, 1000000, true);
}

// The usual few last lines of a long file: found walking back over a few lines' bytes.
void BM_TextPipelineLastThreeLines(benchmark::State& state) {
  RunPipelineBenchmark(state, true, 3);
}

constexpr std::int64_t kSizes[] = {100, 10 << 10, 1 << 20, 10 << 20};

}  // namespace

BENCHMARK(BM_TextLineCount)->Arg(kSizes[0])->Arg(kSizes[1])->Arg(kSizes[2])->Arg(kSizes[3]);
BENCHMARK(BM_TextPipeline)->Arg(kSizes[0])->Arg(kSizes[1])->Arg(kSizes[2])->Arg(kSizes[3]);
BENCHMARK(BM_TextPipelineLastLines)->Arg(kSizes[3]);
BENCHMARK(BM_TextPipelineLastLinesSplitFirst)->Arg(kSizes[3]);
BENCHMARK(BM_TextPipelineLastThreeLines)->Arg(kSizes[3]);
