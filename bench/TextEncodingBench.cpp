// Deciding the encoding of a read: the pass that finds no high byte in ASCII text, and the
// UTF-8 validation of accented text, against the text pipeline's own throughput.

#include "core/text/SingleByteText.h"
#include "core/text/TextEncoding.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::string Lines(std::size_t size, const std::string& line) {
  std::string text;
  text.reserve(size + line.size());
  while (text.size() < size) text += line;
  return text;
}

void BM_DetectEncodingAscii(benchmark::State& state) {
  const std::string text =
      Lines(static_cast<std::size_t>(state.range(0)), "Plain headline number one, as ever.\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(core::DetectEncoding(text));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_DetectEncodingUtf8(benchmark::State& state) {
  const std::string text = Lines(static_cast<std::size_t>(state.range(0)),
                                 "Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve headline, as ever.\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(core::DetectEncoding(text));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Latin-1, which has every character of the texts: like a system code page's table, each byte
// comes from one character only, so that an invalid sequence could be turned back.
const core::SingleByteTable& Table() {
  static const auto table = [] {
    auto built = std::make_unique<core::SingleByteTable>();
    built->fill(0);
    for (std::size_t c = 1; c < 256; ++c) (*built)[c] = static_cast<unsigned char>(c);
    return built;
  }();
  return *table;
}

const std::string kFrench =
    "Le caf\xC3\xA9 du march\xC3\xA9 ouvre \xC3\xA0 8 heures, la m\xC3\xA9t\xC3\xA9o annonce du "
    "soleil.\r\n";

// A UTF-8 read converted as the bar does it: validated and converted in one walk.
void BM_Utf8OneWalk(benchmark::State& state) {
  const std::string text = Lines(static_cast<std::size_t>(state.range(0)), kFrench);
  for (auto _ : state) {
    state.PauseTiming();
    std::string bytes = text;
    state.ResumeTiming();
    benchmark::DoNotOptimize(core::Utf8ToSingleByteIfValid(bytes, Table()));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The road before: the whole text validated, then converted in place.
void BM_Utf8TwoWalks(benchmark::State& state) {
  const std::string text = Lines(static_cast<std::size_t>(state.range(0)), kFrench);
  for (auto _ : state) {
    state.PauseTiming();
    std::string bytes = text;
    state.ResumeTiming();
    if (core::DetectEncoding(bytes).kind == core::TextEncoding::Kind::Utf8) {
      bytes.resize(core::Utf8ToSingleByte(bytes.data(), 0, bytes.size(), Table()).length);
    }
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_DetectEncodingAscii)->Arg(10 << 20);
BENCHMARK(BM_DetectEncodingUtf8)->Arg(10 << 20);
BENCHMARK(BM_Utf8OneWalk)->Arg(10 << 20);
BENCHMARK(BM_Utf8TwoWalks)->Arg(10 << 20);
