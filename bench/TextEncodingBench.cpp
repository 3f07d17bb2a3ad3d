// Deciding the encoding of a read: the pass that finds no high byte in ASCII text, and the
// UTF-8 validation of accented text, against the text pipeline's own throughput.

#include "core/TextEncoding.h"

#include <benchmark/benchmark.h>

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

}  // namespace

BENCHMARK(BM_DetectEncodingAscii)->Arg(10 << 20);
BENCHMARK(BM_DetectEncodingUtf8)->Arg(10 << 20);
