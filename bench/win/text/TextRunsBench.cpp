// A marquee frame's text work under Wine: measuring and drawing a visible band's worth of text
// (150 characters) into an off-screen bitmap, as a step of the animation does. Latin through the
// direct path against the plain narrow GDI calls of before, and text that the font lacks through
// Uniscribe. Medians of several runs, each of many frames.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/Fonts.h"
#include "platform/Handles.h"
#include "platform/TextRuns.h"

namespace {

constexpr int kRuns = 11;
constexpr int kFrames = 500;
constexpr std::size_t kCharacters = 150;
constexpr RECT kBand{0, 0, 1600, 24};

// Microseconds a frame.
double MedianUs(const std::function<void()>& frame) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kFrames; ++i) frame();
    ::QueryPerformanceCounter(&end);
    times.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart) / kFrames);
  }
  std::sort(times.begin(), times.end());
  return times[kRuns / 2];
}

template <typename Text>
Text Repeated(const Text& piece) {
  Text text;
  while (text.size() < kCharacters) text += piece;
  text.resize(kCharacters);
  return text;
}

const char* PathName(platform::TextPath path) {
  return path == platform::TextPath::Direct ? "direct" : "shaped";
}

}  // namespace

int main() {
  platform::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), kBand.right, -kBand.bottom, 1, 32, BI_RGB}};
  void* bits = nullptr;
  platform::UniqueBitmap bitmap(
      ::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  platform::UniqueFont font = platform::CreatePointFont("MS Sans Serif", 8);
  platform::ScopedSelectObject selectedBitmap(dc.get(), bitmap.get());
  platform::ScopedSelectObject selectedFont(dc.get(), font.get());
  ::SetBkMode(dc.get(), TRANSPARENT);
  ::SetBkColor(dc.get(), RGB(255, 255, 224));

  const std::string narrow = Repeated<std::string>(
      "Markets open higher as the central bank holds its rate +++ Weather: sunny spells, a light "
      "breeze from the west +++ ");
  const std::u16string latin(narrow.begin(), narrow.end());
  const std::u16string chinese =
      Repeated<std::u16string>(u"市场今日开盘走高，央行维持利率不变。天气晴朗，西风微弱。");

  long sink = 0;
  const double plain = MedianUs([&] {
    SIZE size{};
    ::GetTextExtentPoint32A(dc.get(), narrow.data(), static_cast<int>(narrow.size()), &size);
    ::ExtTextOutA(dc.get(), -3, 0, ETO_OPAQUE, &kBand, narrow.data(),
                  static_cast<UINT>(narrow.size()), nullptr);
    sink += size.cx;
  });
  const auto run = [&](const std::u16string& text, platform::TextPath path) {
    return MedianUs([&] {
      sink += platform::MeasureRun(dc.get(), text, path).cx;
      platform::DrawRun(dc.get(), -3, 0, ETO_OPAQUE, &kBand, text, path);
    });
  };
  const double direct = run(latin, platform::TextPath::Direct);
  const double latinShaped = run(latin, platform::TextPath::Shaped);
  const double chineseShaped = run(chinese, platform::TextPath::Shaped);
  const double chineseMeasured = MedianUs(
      [&] { sink += platform::MeasureRun(dc.get(), chinese, platform::TextPath::Shaped).cx; });
  double chineseInItsFont = 0;
  platform::TextPath widePath{};
  {
    platform::UniqueFont wide = platform::CreatePointFont("WenQuanYi Micro Hei", 8);
    platform::ScopedSelectObject selected(dc.get(), wide.get());
    widePath = platform::PathFor(dc.get(), chinese);
    chineseInItsFont = run(chinese, widePath);
  }
  const double decideLatin =
      MedianUs([&] { sink += static_cast<long>(platform::PathFor(dc.get(), latin)); });
  const double decideChinese =
      MedianUs([&] { sink += static_cast<long>(platform::PathFor(dc.get(), chinese)); });
  const double latinWidth = platform::MeasureRun(dc.get(), latin, platform::TextPath::Direct).cx;
  const double chineseWidth =
      platform::MeasureRun(dc.get(), chinese, platform::TextPath::Shaped).cx;

  std::printf("%zu characters in MS Sans Serif 8 pt; a frame is a measure and a draw\n",
              kCharacters);
  std::printf("Latin (%.0f px), GetTextExtentPoint32A + ExtTextOutA: %.1f us\n", latinWidth, plain);
  std::printf("Latin, %s path: %.1f us (%.2f x the plain calls)\n",
              PathName(platform::PathFor(dc.get(), latin)), direct, direct / plain);
  std::printf("Latin forced through Uniscribe: %.1f us (%.2f x)\n", latinShaped,
              latinShaped / plain);
  std::printf("Chinese (%.0f px), %s path: %.1f us (%.2f x)\n", chineseWidth,
              PathName(platform::PathFor(dc.get(), chinese)), chineseShaped, chineseShaped / plain);
  std::printf("of which the measure alone (one analysis): %.1f us\n", chineseMeasured);
  std::printf("Chinese in a font that has it (WenQuanYi Micro Hei), %s path: %.1f us (%.2f x)\n",
              PathName(widePath), chineseInItsFont, chineseInItsFont / plain);
  std::printf("deciding the path, once per text and font: Latin %.1f us, Chinese %.1f us\n",
              decideLatin, decideChinese);
  return sink == 0 ? 1 : 0;
}
