#include "core/program/PictureHeaders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace core {
namespace {

void Put16(std::string& bytes, std::uint32_t value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& bytes, std::uint32_t value) {
  Put16(bytes, value & 0xFFFF);
  Put16(bytes, value >> 16);
}

// The fields of a bitmap file; the defaults make a whole 4 × 2 24-bit picture.
struct BitmapFields {
  std::int32_t width = 4;
  std::int32_t height = 2;
  std::uint32_t planes = 1;
  std::uint32_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t headerSize = 40;
  int pixelsAtShift = 0;   // added to where the pixels begin
  int pixelBytesLess = 0;  // taken off the end of the file
};

std::string Bitmap(const BitmapFields& f) {
  std::string header;
  Put32(header, f.headerSize);
  Put32(header, static_cast<std::uint32_t>(f.width));
  Put32(header, static_cast<std::uint32_t>(f.height));
  Put16(header, f.planes);
  Put16(header, f.bits);
  Put32(header, f.compression);
  Put32(header, 8);  // image size, for the run-length kinds
  header.append(8, '\0');
  Put32(header, f.colorsUsed);
  header.resize(f.headerSize, '\0');
  const std::size_t palette = f.bits <= 8 ? 4u << f.bits : 0;
  const std::uint32_t pixelsAt = static_cast<std::uint32_t>(14 + header.size() + palette);
  std::string bytes = "BM";
  Put32(bytes, 0);
  Put32(bytes, 0);
  Put32(bytes, pixelsAt + f.pixelsAtShift);
  bytes += header;
  bytes.append(palette, '\0');
  bytes.append(static_cast<std::size_t>(2 * 12 - f.pixelBytesLess), '\x40');  // 2 rows of 12
  return bytes;
}

struct BitmapCase {
  const char* name;
  BitmapFields fields;
  bool accepted;
};

class BitmapHeaders : public testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapHeaders, PassOnlyWhenThePixelsTheyDescribeAreInTheFile) {
  const auto problem = BitmapFileProblem(Bitmap(GetParam().fields));
  EXPECT_EQ(!problem.has_value(), GetParam().accepted) << problem.value_or("accepted");
}

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Table, BitmapHeaders,
    testing::Values(
        BitmapCase{"Whole", {}, true}, BitmapCase{"TopDown", {.height = -2}, true},
        BitmapCase{"RowsBeyondTheFile", {.height = 3}, false},
        BitmapCase{"LastPixelByteMissing", {.pixelBytesLess = 1}, false},
        BitmapCase{"NoRows", {.height = 0}, false},
        BitmapCase{"LowestHeight", {.height = kMin32}, false},
        BitmapCase{"NegativeWidth", {.width = -4}, false},
        BitmapCase{"TooManyPixels", {.width = 4097, .height = 4096}, false},
        BitmapCase{"TwoPlanes", {.planes = 2}, false}, BitmapCase{"SevenBits", {.bits = 7}, false},
        BitmapCase{"EightBitsWithPalette", {.bits = 8}, true},
        BitmapCase{
            "PaletteBeyondTheDepth", {.bits = 4, .colorsUsed = 17, .pixelsAtShift = 4}, false},
        BitmapCase{"PixelsInsideTheHeader", {.pixelsAtShift = -1}, false},
        BitmapCase{"RunLengthTopDown", {.height = -2, .bits = 8, .compression = 1}, false},
        BitmapCase{"RunLength", {.bits = 8, .compression = 1}, true},
        BitmapCase{"EmbeddedPng", {.compression = 5}, false},
        BitmapCase{"UnknownHeader", {.headerSize = 20}, false},
        BitmapCase{"Version5Header", {.headerSize = 124}, true}),
    [](const testing::TestParamInfo<BitmapCase>& info) { return info.param.name; });

// The fields of an icon file of one 2 × 2 32-bit image.
struct IconFields {
  std::uint32_t type = 1;
  std::uint32_t count = 1;
  std::int32_t height = 4;  // colour and mask rows
  int sizeLess = 0;         // taken off the image's listed size
  std::uint32_t offsetAdd = 0;
  bool png = false;
};

std::string Icon(const IconFields& f) {
  std::string image;
  if (f.png) {
    image = "\x89PNG\r\n\x1a\n";
  } else {
    Put32(image, 40);
    Put32(image, 2);
    Put32(image, static_cast<std::uint32_t>(f.height));
    Put16(image, 1);
    Put16(image, 32);
    image.resize(40, '\0');
    image.append(2 * 2 * 4 + 2 * 4, '\x7f');  // colour rows, then mask rows of 4 bytes
  }
  std::string bytes;
  Put16(bytes, 0);
  Put16(bytes, f.type);
  Put16(bytes, f.count);
  bytes.append("\x02\x02\x00\x00", 4);  // 2 × 2 pixels, no palette, reserved
  Put16(bytes, 1);
  Put16(bytes, 32);
  Put32(bytes, static_cast<std::uint32_t>(image.size() - f.sizeLess));
  Put32(bytes, 22 + f.offsetAdd);
  return bytes + image;
}

struct IconCase {
  const char* name;
  IconFields fields;
  bool accepted;
};

class IconHeaders : public testing::TestWithParam<IconCase> {};

TEST_P(IconHeaders, PassOnlyWhenEveryImageIsInTheFile) {
  const auto problem = IconFileProblem(Icon(GetParam().fields));
  EXPECT_EQ(!problem.has_value(), GetParam().accepted) << problem.value_or("accepted");
}

INSTANTIATE_TEST_SUITE_P(
    Table, IconHeaders,
    testing::Values(IconCase{"Whole", {}, true}, IconCase{"Png", {.png = true}, true},
                    IconCase{"Cursor", {.type = 2}, false},
                    IconCase{"NoImage", {.count = 0}, false},
                    IconCase{"DirectoryBeyondTheFile", {.count = 3}, false},
                    IconCase{"ImageBeyondTheFile", {.offsetAdd = 1}, false},
                    IconCase{"MaskCutOff", {.sizeLess = 1}, false},
                    IconCase{"OddHeight", {.height = 3}, false},
                    IconCase{"MoreRowsThanTheImageHolds", {.height = 6}, false}),
    [](const testing::TestParamInfo<IconCase>& info) { return info.param.name; });

}  // namespace
}  // namespace core
