// A feed turned into the bar's lines: read, headlines and links, the lines' bytes and their
// split. Throughput, and the peak memory a run allocates on top of the body it was given; also
// the peak of reading element bombs just under the most records a feed may have.

#include "core/feed/FeedReader.h"
#include "core/text/TextLines.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstddef>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "AllocationCounter.h"

namespace {

enum class Faults { None, Sloppy };

// About 2,000 items in 1 MB: titles with entities, escaped HTML descriptions, relative links. A
// sloppy one has three faults an item, as feed readers forgive them: a bare "&" in the title and
// in the link, and an HTML name XML lacks.
std::string MakeFeed(std::size_t size, Faults faults = Faults::None) {
  const bool sloppy = faults == Faults::Sloppy;
  std::string feed =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel>"
      "<title>Driftline news</title><link>http://news.example/</link>\n";
  for (std::size_t item = 0; feed.size() + 600 < size; ++item) {
    const std::string id = std::to_string(item);
    feed += "<item><title>Markets " + std::string(sloppy ? "&" : "&amp;") + " rates: story " + id +
            " on the economy" + (sloppy ? "&rsquo;" : "&#8217;") +
            "s outlook</title><link>/story/" + id + ".html" +
            (sloppy ? "?a=1&b=2" : "?a=1&amp;b=2") +
            "</link><guid isPermaLink=\"false\">tag:news.example," + id +
            "</guid><pubDate>Tue, 08 Dec 2026 06:00:00 GMT</pubDate><description>&lt;p&gt;"
            "Investors weighed fresh figures on inflation and the outlook for rates, while "
            "bond yields eased and the currency held steady against its peers in early "
            "trading. Analysts expect the central bank to keep its course until spring, "
            "citing wage growth and energy prices.&lt;/p&gt;</description></item>\n";
  }
  feed += "</channel></rss>\n";
  return feed;
}

std::size_t FeedToLines(const std::string& body) {
  core::FeedReading reading = core::ReadFeed(body, std::nullopt, "http://news.example/rss.xml");
  std::vector<std::string> links;
  links.reserve(reading.items.size());
  for (core::FeedItem& item : reading.items) links.push_back(std::move(item.link));
  core::TextLines lines(core::FeedLineText(reading.items, u"  +++"));
  reading.items = {};
  lines.SetLinks(std::move(links));
  return lines.Lines().size();
}

// pugixml allocates through malloc unless told otherwise: count its tree as well.
void CountParserMemory() {
  static const bool counted = [] {
    pugi::set_memory_management_functions([](std::size_t size) { return ::operator new(size); },
                                          [](void* block) { ::operator delete(block); });
    return true;
  }();
  benchmark::DoNotOptimize(counted);
}

void FeedToLinesOf(benchmark::State& state, Faults faults) {
  CountParserMemory();
  const std::string body = MakeFeed(static_cast<std::size_t>(state.range(0)), faults);
  std::size_t lines = 0;
  for (auto _ : state) {
    lines = FeedToLines(body);
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(body.size()));
  const std::size_t before = allocation_counter::StartPeak();
  benchmark::DoNotOptimize(FeedToLines(body));
  const double extra = static_cast<double>(allocation_counter::Peak() - before);
  state.counters["items"] = static_cast<double>(lines);
  state.counters["peakPerInputByte"] = extra / static_cast<double>(body.size());
}

void BM_FeedToLines(benchmark::State& state) {
  FeedToLinesOf(state, Faults::None);
}

// The same feed with its faults mended before it is read.
void BM_RepairedFeedToLines(benchmark::State& state) {
  FeedToLinesOf(state, Faults::Sloppy);
}

enum Bomb { kElements, kTexts, kAttributes, kUnclosed };
constexpr const char* kBombNames[] = {"<a/> elements", "x<a/> texts and elements",
                                      "a=\"\" attributes", "<a> never closed"};

// Records of one kind up to the most a feed may have, less the feed's own five: rss, its
// version, channel, title and its text.
std::string MakeBomb(Bomb bomb) {
  const std::size_t records = core::kMostFeedNodes - 5;
  std::string body = "<rss version=\"2.0\"><channel><title>Bomb</title>";
  switch (bomb) {
    case kElements:
      for (std::size_t i = 0; i < records; ++i) body += "<a/>";
      break;
    case kTexts:
      for (std::size_t i = 0; i < records / 2; ++i) body += "x<a/>";
      break;
    case kAttributes:
      body += "<a";  // the element is one record as well
      for (std::size_t i = 0; i + 1 < records; ++i) body += " a=\"\"";
      body += "/>";
      break;
    case kUnclosed:
      for (std::size_t i = 0; i < records; ++i) body += "<a>";
      return body;
  }
  return body + "</channel></rss>";
}

void BM_FeedElementBomb(benchmark::State& state) {
  CountParserMemory();
  const auto bomb = static_cast<Bomb>(state.range(0));
  const std::string body = MakeBomb(bomb);
  for (auto _ : state) {
    const core::FeedReading reading = core::ReadFeed(body, std::nullopt, "http://b.example/");
    benchmark::DoNotOptimize(reading.outcome);
  }
  const std::size_t before = allocation_counter::StartPeak();
  const core::FeedOutcome outcome = core::ReadFeed(body, std::nullopt, "http://b.example/").outcome;
  const double extra = static_cast<double>(allocation_counter::Peak() - before);
  state.SetLabel(std::string(kBombNames[bomb]) +
                 (outcome == core::FeedOutcome::Feed ? ", read" : ", broken"));
  state.counters["bodyMB"] = static_cast<double>(body.size()) / (1 << 20);
  state.counters["peakMB"] = extra / (1 << 20);
  state.counters["peakPerInputByte"] = extra / static_cast<double>(body.size());
}

}  // namespace

// 8 MB: about 15,700 items, 189,000 records, near the most a feed may have.
BENCHMARK(BM_FeedToLines)->Arg(10 << 10)->Arg(1 << 20)->Arg(8 << 20);
BENCHMARK(BM_RepairedFeedToLines)->Arg(1 << 20);
BENCHMARK(BM_FeedElementBomb)->DenseRange(kElements, kUnclosed)->Unit(benchmark::kMillisecond);
