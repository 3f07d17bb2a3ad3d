// A list of sources: the OPML list read, one source's lines selected, and the lines of 50
// sources of 50 headlines each merged behind their names, as the bar does after every check
// that brings new lines. Also the memory each source keeps. Run: build/native/bench/core_bench
// --benchmark_filter=Sources

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "core/sources/Opml.h"
#include "core/sources/SourceLines.h"
#include "core/text/TextDecoding.h"

namespace {

constexpr int kSources = 50;
constexpr int kItems = 50;

std::string ListOf(int sources) {
  std::string list = "<?xml version=\"1.0\"?><opml version=\"2.0\"><head/><body>";
  for (int i = 0; i < sources; ++i) {
    list += "<outline text=\"Source " + std::to_string(i) + "\" type=\"rss\" xmlUrl=\"http://" +
            "127.0.0.1:8080/feed" + std::to_string(i) + ".xml\"/>";
  }
  return list + "</body></opml>";
}

// The lines a 50-item feed gives: headline, separator, each with its story.
core::TextLines FeedLines(int source) {
  std::string bytes;
  std::vector<std::string> links;
  for (int item = 0; item < kItems; ++item) {
    bytes += "Markets and rates: story " + std::to_string(item) + " of source " +
             std::to_string(source) + " on the outlook  +++\n";
    links.push_back("http://127.0.0.1:8080/story/" + std::to_string(source) + "/" +
                    std::to_string(item));
  }
  core::TextLines lines(core::Utf16OfUtf8(bytes));
  lines.SetLinks(std::move(links));
  return lines;
}

void BM_SourcesReadList(benchmark::State& state) {
  const std::string list = ListOf(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(core::ReadOpml(list).sources.size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.size()));
}
BENCHMARK(BM_SourcesReadList)->Arg(50)->Arg(100)->Arg(10000);

void BM_SourcesSelectOne(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    core::TextLines read = FeedLines(0);
    state.ResumeTiming();
    benchmark::DoNotOptimize(core::SelectedLines(std::move(read), {}).Lines().size());
  }
}
BENCHMARK(BM_SourcesSelectOne);

void BM_SourcesMerge50(benchmark::State& state) {
  std::vector<core::TextLines> kept;
  for (int i = 0; i < kSources; ++i) kept.push_back(core::SelectedLines(FeedLines(i), {}));
  std::vector<std::string> names(kSources, "Source name");
  std::vector<core::SourceGroup> groups;
  for (int i = 0; i < kSources; ++i) groups.push_back({names[i], &kept[i]});
  std::size_t shown = 0;
  for (auto _ : state) {
    core::TextLines merged = core::MergeSourceLines(groups, core::SourceNames::Shown);
    shown = merged.Lines().size();
    benchmark::DoNotOptimize(shown);
  }
  state.counters["lines"] = static_cast<double>(shown);
}
BENCHMARK(BM_SourcesMerge50);

// What one source's lines cost while they are selected and kept: the peak a selection
// allocates beyond the read it is given.
void BM_SourcesKeptBytesPerSource(benchmark::State& state) {
  std::size_t kept = 0;
  std::size_t text = 0;
  for (auto _ : state) {
    core::TextLines read = FeedLines(0);
    text = 0;
    for (const std::u16string_view line : read.Lines())
      text += (line.size() + 1) * sizeof(char16_t);
    const std::size_t before = allocation_counter::StartPeak();
    core::TextLines lines = core::SelectedLines(std::move(read), {});
    benchmark::DoNotOptimize(lines.Lines().size());
    kept = allocation_counter::Peak() - before;
  }
  state.counters["text_bytes"] = static_cast<double>(text);
  state.counters["peak_bytes"] = static_cast<double>(kept);
}
BENCHMARK(BM_SourcesKeptBytesPerSource)->Iterations(20);

}  // namespace
