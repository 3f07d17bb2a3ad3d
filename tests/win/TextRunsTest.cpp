// Text runs in real fonts; scripts/setup makes WenQuanYi Micro Hei Wine's fallback for Chinese.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Fonts.h"
#include "platform/TextRuns.h"

namespace {

using platform::TextPath;
constexpr RECT kBand{0, 0, 80, 24};
constexpr char kWestern[] = "MS Sans Serif", kWide[] = "WenQuanYi Micro Hei";
const std::u16string kLongWithNoGlyph = std::u16string(300, u'a') + u'\uE000';

struct FontDc {
  explicit FontDc(const char* face) : font(platform::CreatePointFont(face, 10)) {}
  platform::UniqueFont font;
  platform::UniqueMemoryDc dc{::CreateCompatibleDC(nullptr)};
  platform::ScopedSelectObject selected{dc.get(), font.get()};
};

// A bitmap's black, under the white background that only ETO_OPAQUE puts there.
struct Canvas : FontDc {
  Canvas() : FontDc(kWestern) {}
  std::vector<DWORD> Ink(std::u16string_view text, TextPath path,
                         platform::ShapedRunCache* cache = nullptr) {
    std::fill(bits, bits + kBand.right * kBand.bottom, 0);
    platform::DrawRun(dc.get(), 2, 2, ETO_OPAQUE | ETO_CLIPPED, &kBand, text, path, cache);
    ::GdiFlush();
    return {bits, bits + kBand.right * kBand.bottom};
  }
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), kBand.right, -kBand.bottom, 1, 32, BI_RGB}};
  DWORD* bits = nullptr;
  platform::UniqueBitmap dib{::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                                reinterpret_cast<void**>(&bits), nullptr, 0)};
  platform::ScopedSelectObject drawnOn{dc.get(), dib.get()};
};

std::vector<DWORD> Ink(std::u16string_view text, TextPath path) {
  return Canvas().Ink(text, path);
}

struct Row {
  const char *what, *face;
  std::u16string_view text;
  TextPath path;
  const char* drawnIn;  // the font whose own width the run has
};
class TextRunsRow : public testing::TestWithParam<Row> {};

TEST_P(TextRunsRow, TakesItsPathAndHasTheWidthOfTheFontThatDrawsIt) {
  const Row& row = GetParam();
  const FontDc font(row.face);
  EXPECT_EQ(platform::PathFor(font.dc.get(), row.text), row.path);
  EXPECT_EQ(platform::MeasureRun(font.dc.get(), row.text, row.path).cx,
            platform::MeasureRun(FontDc(row.drawnIn).dc.get(), row.text, TextPath::Direct).cx);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextRunsRow,
    testing::Values(
        Row{"Latin", kWestern, u"Héllo, wörld", TextPath::Direct, kWestern},
        Row{"Empty", kWestern, u"", TextPath::Direct, kWestern},
        Row{"GreekCyrillicInAFontWithThem", kWide, u"Ωμέγα Москва", TextPath::Direct, kWide},
        Row{"ChineseInAWesternFont", kWestern, u"中文", TextPath::Shaped, kWide},
        Row{"HebrewInAFontWithIt", "DejaVu Sans", u"שלום", TextPath::Shaped, "DejaVu Sans"},
        Row{"CombiningMark", kWide, u"e\u0300", TextPath::Shaped, kWide},
        Row{"NoGlyphFarIn", kWide, kLongWithNoGlyph, TextPath::Shaped, kWide}),
    [](const testing::TestParamInfo<Row>& info) { return info.param.what; });

TEST(TextRuns, TheFallbackDrawsGlyphsAndAnEmptyShapedRunIsDrawnByGdi) {
  const auto chinese = Ink(u"中文", TextPath::Shaped);
  EXPECT_EQ(chinese.back(), 0xFFFFFFu) << "the whole band filled";
  EXPECT_NE(chinese, Ink(u"\uE000\uE000", TextPath::Shaped)) << "boxes of no font";
  EXPECT_NE(chinese, Ink(u"??", TextPath::Direct));
  EXPECT_EQ(Ink(u"", TextPath::Shaped), Ink(u" ", TextPath::Direct));
}

TEST(TextRuns, ACachedShapingServesOnlyTheSameText) {
  Canvas canvas;
  platform::ShapedRunCache cache;
  canvas.Ink(u"中文", TextPath::Shaped, &cache);
  EXPECT_EQ(canvas.Ink(u"文中", TextPath::Shaped, &cache), canvas.Ink(u"文中", TextPath::Shaped));
}

}  // namespace
