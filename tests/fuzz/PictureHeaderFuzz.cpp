// Bitmap and icon headers: a file the check lets through to the system's reader has every pixel
// it describes inside it, by a count made here in 128 bits.

#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "core/program/PictureHeaders.h"

namespace {

using Wide = unsigned __int128;

std::uint32_t Read16(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}
std::uint32_t Read32(std::string_view bytes, std::size_t at) {
  return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

Wide RowBytes(Wide width, Wide bits) {
  return (width * bits + 31) / 32 * 4;
}

// An accepted bitmap: header, then uncompressed pixels that end inside the file.
void CheckBitmap(std::string_view bytes) {
  const std::uint32_t header = Read32(bytes, 14);
  const bool core = header == 12;
  // Signed in the info header: each branch apart, as a conditional would make both unsigned.
  std::int64_t width = Read16(bytes, 18);
  std::int64_t height = Read16(bytes, 20);
  if (!core) {
    width = static_cast<std::int32_t>(Read32(bytes, 18));
    height = static_cast<std::int32_t>(Read32(bytes, 22));
  }
  const std::uint32_t bits = core ? Read16(bytes, 24) : Read16(bytes, 28);
  const std::uint32_t compression = core ? 0 : Read32(bytes, 30);
  FUZZ_CHECK(width > 0 && height != 0);
  FUZZ_CHECK(Wide(width) * Wide(height < 0 ? -height : height) <= core::kMaxPicturePixels);
  FUZZ_CHECK(14 + header <= Read32(bytes, 10));
  if (compression == 1 || compression == 2) {
    FUZZ_CHECK(Wide(Read32(bytes, 10)) + Read32(bytes, 34) <= bytes.size());
    return;
  }
  const Wide rows = static_cast<Wide>(height < 0 ? -height : height);
  FUZZ_CHECK(Wide(Read32(bytes, 10)) + RowBytes(width, bits) * rows <= bytes.size());
}

// An accepted icon: every listed image inside the file, its colour and mask rows inside it.
void CheckIcon(std::string_view bytes) {
  const std::size_t count = Read16(bytes, 4);
  FUZZ_CHECK(count > 0);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const Wide size = Read32(bytes, entry + 8);
    const Wide at = Read32(bytes, entry + 12);
    FUZZ_CHECK(at + size <= bytes.size());
    const std::string_view image =
        bytes.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(size));
    if (image.starts_with("\x89PNG")) continue;
    const Wide header = Read32(image, 0);
    const Wide width = Read32(image, 4);
    const Wide rows = Read32(image, 8) / 2;
    const Wide bits = Read16(image, 14);
    const Wide colorsUsed = Read32(image, 32);
    const Wide palette = bits <= 8 ? 4 * (colorsUsed != 0 ? colorsUsed : Wide(1) << bits) : 0;
    FUZZ_CHECK(header + palette + (RowBytes(width, bits) + RowBytes(width, 1)) * rows <= size);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!core::BitmapFileProblem(bytes)) CheckBitmap(bytes);
  if (!core::IconFileProblem(bytes)) CheckIcon(bytes);
  return 0;
}
