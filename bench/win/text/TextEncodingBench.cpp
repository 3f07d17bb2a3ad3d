// The load of a 10 MB text under Wine with and without its conversion to the system's code
// page: detection, conversion and the text pipeline, medians of several runs; UTF-8 converted
// in the walk that validates it, and as before, validated first and converted after.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/text/TextLines.h"
#include "core/text/TextPipeline.h"
#include "platform/CodePageText.h"

namespace {

constexpr int kRuns = 11;

double MedianMs(const std::function<void()>& run) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    ::QueryPerformanceCounter(&start);
    run();
    ::QueryPerformanceCounter(&end);
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times[kRuns / 2];
}

std::string Lines(std::size_t size, const std::string& line) {
  std::string text;
  text.reserve(size + line.size());
  while (text.size() < size) text += line;
  return text;
}

std::size_t Pipeline(std::string bytes) {
  core::TextLines lines(std::move(bytes));
  return core::BuildText(lines, {}).size();
}

}  // namespace

int main() {
  constexpr std::size_t kSize = 10 << 20;
  const std::string ascii = Lines(kSize, "Plain headline number one, as ever.\r\n");
  // Headlines with an accented word now and then, and French text with accents all through.
  const std::string utf8 =
      Lines(kSize,
            "Markets open higher as the central bank holds its rate.\r\n"
            "Weather: sunny spells, a light breeze from the west.\r\n"
            "Caf\xC3\xA9 chain opens its hundredth store \xE2\x80\x93 in Lyon.\r\n");
  const std::string french = Lines(kSize,
                                   "Le caf\xC3\xA9 du march\xC3\xA9 ouvre \xC3\xA0 8 heures, la "
                                   "m\xC3\xA9t\xC3\xA9o annonce du soleil.\r\n");
  std::size_t sink = 0;
  const double asciiPlain = MedianMs([&] { sink += Pipeline(ascii); });
  const double asciiShown = MedianMs([&] {
    std::string bytes = ascii;
    platform::ToSystemCodePage(bytes, std::nullopt);
    sink += Pipeline(std::move(bytes));
  });
  const double utf8Plain = MedianMs([&] { sink += Pipeline(utf8); });
  const double utf8Shown = MedianMs([&] {
    std::string bytes = utf8;
    platform::ToSystemCodePage(bytes, std::nullopt);
    sink += Pipeline(std::move(bytes));
  });
  const double frenchPlain = MedianMs([&] { sink += Pipeline(french); });
  const double frenchShown = MedianMs([&] {
    std::string bytes = french;
    platform::ToSystemCodePage(bytes, std::nullopt);
    sink += Pipeline(std::move(bytes));
  });
  // The road before: the encoding decided by a validating walk, then a converting walk.
  const auto twoWalks = [&](const std::string& text) {
    return MedianMs([&] {
      std::string bytes = text;
      platform::ConvertToSystemCodePage(bytes, core::EncodingOf(bytes, std::nullopt));
      sink += Pipeline(std::move(bytes));
    });
  };
  const double utf8TwoWalks = twoWalks(utf8);
  const double frenchTwoWalks = twoWalks(french);
  const double tiny = MedianMs([&] {
    std::string bytes = "Caf\xC3\xA9";
    platform::ToSystemCodePage(bytes, std::nullopt);
    sink += bytes.size();
  });
  std::printf("a 5-byte UTF-8 text: %.2f ms\n", tiny);
  std::printf("10 MB ASCII: pipeline %.1f ms, with detection %.1f ms (+%.0f%%)\n", asciiPlain,
              asciiShown, 100.0 * (asciiShown - asciiPlain) / asciiPlain);
  std::printf(
      "10 MB headlines in UTF-8: pipeline %.1f ms, with detection and conversion %.1f ms "
      "(+%.0f%%)\n",
      utf8Plain, utf8Shown, 100.0 * (utf8Shown - utf8Plain) / utf8Plain);
  std::printf(
      "10 MB French UTF-8: pipeline %.1f ms, with detection and conversion %.1f ms (+%.0f%%)\n",
      frenchPlain, frenchShown, 100.0 * (frenchShown - frenchPlain) / frenchPlain);
  std::printf(
      "the same in two walks (validation, then conversion): headlines %.1f ms (+%.0f%%), "
      "French %.1f ms (+%.0f%%)\n",
      utf8TwoWalks, 100.0 * (utf8TwoWalks - utf8Plain) / utf8Plain, frenchTwoWalks,
      100.0 * (frenchTwoWalks - frenchPlain) / frenchPlain);
  return sink == 0 ? 1 : 0;
}
