// The load of a 10 MB text under Wine: decoding into the shown text and the text pipeline,
// medians of several runs, for ASCII, UTF-8 headlines, accent-dense French, Chinese and a
// code-page text that is not UTF-8.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/text/TextDecoding.h"
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

// A read as the bar loads it: its bytes decoded, then split, selected and joined.
std::size_t Load(std::string bytes) {
  std::u16string decoded = core::DecodeText(bytes, std::nullopt, &platform::CodePageToUtf16);
  std::string().swap(bytes);
  core::TextLines lines(std::move(decoded));
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
  const std::string chinese =
      Lines(kSize,
            "\xE5\xB8\x82\xE5\x9C\xBA\xE4\xBB\x8A\xE6\x97\xA5\xE4\xB8\x8A\xE6\xB6\xA8 "
            "Markets rise \xE2\x80\x93 \xCE\xB1\xCE\xB2 \xD0\x9C\xD0\xB8\xD1\x80\r\n");
  const std::string codePage = Lines(kSize, "Le caf\xE9 du march\xE9 ouvre \xE0 8 heures.\r\n");
  std::size_t sink = 0;
  // The whole load, and its decoding alone.
  const auto load = [&](const char* name, const std::string& text) {
    const double whole = MedianMs([&] { sink += Load(text); });
    const double decoding = MedianMs(
        [&] { sink += core::DecodeText(text, std::nullopt, &platform::CodePageToUtf16).size(); });
    std::printf("10 MB %s: load %.1f ms, decoding alone %.1f ms\n", name, whole, decoding);
  };
  const double tiny = MedianMs([&] { sink += Load("Caf\xC3\xA9"); });
  std::printf("a 5-byte UTF-8 text: %.2f ms\n", tiny);
  load("ASCII", ascii);
  load("headlines in UTF-8", utf8);
  load("French UTF-8", french);
  load("Chinese, Greek and Cyrillic UTF-8", chinese);
  load("code-page text", codePage);
  return sink == 0 ? 1 : 0;
}
