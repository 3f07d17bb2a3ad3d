// Deciding the encoding of a read, and a read decoded into the shown text: the pass that finds
// no high byte in ASCII text, the UTF-8 validation of accented text, and the decoding.

#include "core/text/TextDecoding.h"
#include "core/text/TextEncoding.h"

#include <benchmark/benchmark.h>

#include <optional>
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

// The system's part: Latin-1, as a single-byte code page would decode.
std::u16string Latin1(std::string_view bytes, unsigned) {
  return std::u16string(bytes.begin(), bytes.end());
}

const std::string kFrench =
    "Le caf\xC3\xA9 du march\xC3\xA9 ouvre \xC3\xA0 8 heures, la m\xC3\xA9t\xC3\xA9o annonce du "
    "soleil.\r\n";

// A UTF-8 read decoded as the bar does it: validated and decoded in one walk.
void BM_Utf8OneWalk(benchmark::State& state) {
  const std::string text = Lines(static_cast<std::size_t>(state.range(0)), kFrench);
  for (auto _ : state) benchmark::DoNotOptimize(core::DecodeText(text, std::nullopt, Latin1));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The same with the encoding decided first by a validating walk.
void BM_Utf8TwoWalks(benchmark::State& state) {
  const std::string text = Lines(static_cast<std::size_t>(state.range(0)), kFrench);
  for (auto _ : state) {
    benchmark::DoNotOptimize(core::DecodeText(text, core::DetectEncoding(text), Latin1));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_DetectEncodingAscii)->Arg(10 << 20);
BENCHMARK(BM_DetectEncodingUtf8)->Arg(10 << 20);
BENCHMARK(BM_Utf8OneWalk)->Arg(10 << 20);
BENCHMARK(BM_Utf8TwoWalks)->Arg(10 << 20);
