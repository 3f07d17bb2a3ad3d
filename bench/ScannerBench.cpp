// Every reader of outside text over the shapes that once made one of them search to the end of
// the text for each byte: "<a", "&a" and "http:///" repeated, deep nesting and a long attribute
// value. Each reader and shape is timed at 64 KB, 1 MB and 16 MB in the same run (16 MB each:
// 256 inputs of 64 KB, 16 of 1 MB, one of 16 MB; the fastest of the iterations), giving the time
// per byte at each size and its ratio from the smallest to the largest: about 1 when the reader
// is linear, 256 for one that reads the rest of the text again at each byte.

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "core/feed/FeedReader.h"
#include "core/feed/LinkHitTest.h"
#include "core/text/TextLines.h"
#include "core/web/WebAddress.h"

namespace {

enum Shape { kOpenAngles, kAmpersands, kNoHosts, kDeepNesting, kLongAttribute };
constexpr std::array<const char*, 5> kShapeNames{"<a", "&a", "http:///", "deep nesting",
                                                 "long attribute value"};
constexpr std::array<std::size_t, 3> kSizes{64 << 10, 1 << 20, 16 << 20};
constexpr std::size_t kBytesPerSize = 16 << 20;

std::string Filled(std::string_view piece, std::size_t size) {
  std::string out;
  out.reserve(size + piece.size());
  while (out.size() < size) out.append(piece);
  return out;
}

std::string Nested(std::size_t size) {
  const std::size_t depth = size / 7;
  return Filled("<b>", depth * 3) + "x" + Filled("</b>", depth * 4);
}

// The shape as one line of plain text, about `size` bytes.
std::string AsText(Shape shape, std::size_t size) {
  switch (shape) {
    case kOpenAngles: return Filled("<a", size);
    case kAmpersands: return Filled("&a", size);
    case kNoHosts: return Filled("http:///", size);
    case kDeepNesting: return Nested(size);
    case kLongAttribute: return "<a href=\"http://a.example/" + Filled("a", size) + "\">";
  }
  return {};
}

// The shape where the feed reader meets it: in a title or a description (HTML, so that its
// references are decoded; every bare "&" repaired first), as nested elements, or as a link's
// address.
std::string AsFeed(Shape shape, std::size_t size) {
  const auto rss = [](const std::string& item) {
    return "<rss version=\"2.0\"><channel><title>Shapes</title><item>" + item +
           "</item></channel></rss>";
  };
  switch (shape) {
    case kOpenAngles: return rss("<title><![CDATA[" + Filled("<a", size) + "]]></title>");
    case kAmpersands: return rss("<description>" + Filled("&a", size) + "</description>");
    case kNoHosts: return rss("<title>" + Filled("http:///", size) + "</title>");
    case kDeepNesting: return rss("<title>" + Nested(size) + "</title>");
    case kLongAttribute:
      return "<feed xmlns=\"http://www.w3.org/2005/Atom\"><entry><title>x</title><link href=\""
             "http://a.example/" +
             Filled("a", size) + "\"/></entry></feed>";
  }
  return {};
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

using Input = std::string (*)(Shape, std::size_t);
using Reader = std::function<std::size_t(const std::string&)>;

void RunScanner(benchmark::State& state, Input input, const Reader& read) {
  const auto shape = static_cast<Shape>(state.range(0));
  std::array<std::string, kSizes.size()> inputs;
  for (std::size_t i = 0; i < kSizes.size(); ++i) inputs[i] = input(shape, kSizes[i]);
  std::array<double, kSizes.size()> fastest;
  fastest.fill(std::numeric_limits<double>::max());
  for (auto _ : state) {
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
      const double start = ThreadSeconds();
      for (std::size_t done = 0; done < kBytesPerSize; done += kSizes[i]) {
        benchmark::DoNotOptimize(read(inputs[i]));
      }
      fastest[i] = std::min(fastest[i], ThreadSeconds() - start);
    }
  }
  std::array<double, kSizes.size()> perByte{};
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    const std::size_t bytes = kBytesPerSize / kSizes[i] * inputs[i].size();
    perByte[i] = fastest[i] * 1e9 / static_cast<double>(bytes);
  }
  state.SetLabel(kShapeNames[shape]);
  state.counters["ns/B 64K"] = perByte[0];
  state.counters["ns/B 1M"] = perByte[1];
  state.counters["ns/B 16M"] = perByte[2];
  state.counters["ratio"] = perByte[2] / perByte[0];
}

// The feed reader: recognised, counted, parsed, headlines with markup and references taken out.
void BM_ScanFeed(benchmark::State& state) {
  RunScanner(state, AsFeed, [](const std::string& body) {
    const core::FeedReading reading = core::ReadFeed(body, std::nullopt, "http://s.example/");
    return reading.items.size() + reading.errorOffset;
  });
}

// The first web address in a line of plain text.
void BM_ScanAddress(benchmark::State& state) {
  RunScanner(state, AsText,
             [](const std::string& line) { return core::FirstWebAddress(line).size(); });
}

// The table a hover looks links up in, made from the shown lines when they are set.
void BM_ScanLinkTable(benchmark::State& state) {
  RunScanner(state, AsText, [](const std::string& text) {
    core::TextLines lines{std::u16string(text.begin(), text.end())};
    const core::ItemTable table(lines.Lines(), [&](std::u16string_view line) {
      return core::ItemTable::LineLink{lines.LinkOf(line), lines.LinkedSize(line)};
    });
    return table.TextSize();
  });
}

void Shapes(benchmark::internal::Benchmark* benchmark) {
  for (int shape = kOpenAngles; shape <= kLongAttribute; ++shape) benchmark->Arg(shape);
  benchmark->Iterations(3)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_ScanFeed)->Apply(Shapes);
BENCHMARK(BM_ScanAddress)->Apply(Shapes);
BENCHMARK(BM_ScanLinkTable)->Apply(Shapes);
