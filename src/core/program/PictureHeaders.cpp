#include "core/program/PictureHeaders.h"

#include <cstdint>

namespace core {
namespace {

std::uint32_t Read16(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
  return Read16(bytes, at) | (Read16(bytes, at + 2) << 16);
}

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kCoreHeader = 12;
constexpr std::size_t kInfoHeader = 40;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

bool IsDepth(std::uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool IsInfoHeaderSize(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Bytes of `rows` rows of `width` pixels at `bits` each, rows padded to 4 bytes. The caller has
// bounded width and rows, so this cannot overflow 64 bits.
std::uint64_t PixelBytes(std::uint64_t width, std::uint64_t rows, std::uint32_t bits) {
  return (width * bits + 31) / 32 * 4 * rows;
}

// What a DIB header (a bitmap file's, or an icon image's) describes.
struct Dib {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: top-down rows
  std::uint32_t planes = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t imageSize = 0;
  std::uint32_t colorsUsed = 0;
};

std::optional<std::string> ReadDib(std::string_view bytes, std::size_t at, Dib& dib) {
  if (bytes.size() - at < 4) return "no picture header";
  dib.headerSize = Read32(bytes, at);
  if (dib.headerSize != kCoreHeader && !IsInfoHeaderSize(dib.headerSize)) {
    return "unknown picture header of " + std::to_string(dib.headerSize) + " bytes";
  }
  if (bytes.size() - at < dib.headerSize) return "picture header cut off";
  if (dib.headerSize == kCoreHeader) {
    dib.width = Read16(bytes, at + 4);
    dib.height = Read16(bytes, at + 6);
    dib.planes = Read16(bytes, at + 8);
    dib.bits = Read16(bytes, at + 10);
    return std::nullopt;
  }
  dib.width = static_cast<std::int32_t>(Read32(bytes, at + 4));
  dib.height = static_cast<std::int32_t>(Read32(bytes, at + 8));
  dib.planes = Read16(bytes, at + 12);
  dib.bits = Read16(bytes, at + 14);
  dib.compression = Read32(bytes, at + 16);
  dib.imageSize = Read32(bytes, at + 20);
  dib.colorsUsed = Read32(bytes, at + 32);
  return std::nullopt;
}

// The size, depth and palette of a DIB; `rows` is the height the pixels have.
std::optional<std::string> CheckDib(const Dib& dib, std::int64_t rows) {
  if (dib.width <= 0 || rows == 0) return "picture of no size";
  const std::uint64_t height = rows < 0 ? static_cast<std::uint64_t>(-rows) : rows;
  if (static_cast<std::uint64_t>(dib.width) > kMaxPicturePixels / height) {
    return "picture too large";
  }
  if (dib.planes != 1) return "picture with " + std::to_string(dib.planes) + " planes";
  if (!IsDepth(dib.bits)) return "picture of " + std::to_string(dib.bits) + " bits per pixel";
  if (dib.bits <= 8 && dib.colorsUsed > (1u << dib.bits)) return "palette too large";
  return std::nullopt;
}

// Palette and colour masks between the header and the pixels.
std::uint64_t TableBytes(const Dib& dib) {
  const bool core = dib.headerSize == kCoreHeader;
  std::uint64_t colors = 0;
  if (dib.bits <= 8) colors = dib.colorsUsed != 0 ? dib.colorsUsed : (1u << dib.bits);
  const std::uint64_t masks =
      !core && dib.headerSize == kInfoHeader && dib.compression == kBitFields ? 12 : 0;
  return colors * (core ? 3 : 4) + masks;
}

std::optional<std::string> CheckCompression(const Dib& dib) {
  if (dib.compression == kRgb) return std::nullopt;
  if (dib.compression == kBitFields && (dib.bits == 16 || dib.bits == 32)) return std::nullopt;
  if (dib.height > 0 && ((dib.compression == kRle8 && dib.bits == 8) ||
                         (dib.compression == kRle4 && dib.bits == 4))) {
    return std::nullopt;
  }
  return "picture compression " + std::to_string(dib.compression) + " not shown";
}

std::optional<std::string> CheckIconImage(std::string_view image) {
  if (image.starts_with("\x89PNG")) return std::nullopt;
  Dib dib;
  if (auto problem = ReadDib(image, 0, dib)) return problem;
  if (dib.headerSize == kCoreHeader || dib.compression != kRgb) {
    return "icon image of an unknown kind";
  }
  // The height counts the colour rows and the mask rows.
  if (dib.height <= 0 || dib.height % 2 != 0) return "icon image of an odd height";
  if (auto problem = CheckDib(dib, dib.height / 2)) return problem;
  const std::uint64_t rows = static_cast<std::uint64_t>(dib.height / 2);
  const std::uint64_t end = dib.headerSize + TableBytes(dib) +
                            PixelBytes(static_cast<std::uint64_t>(dib.width), rows, dib.bits) +
                            PixelBytes(static_cast<std::uint64_t>(dib.width), rows, 1);
  if (end > image.size()) return "icon image cut off";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> BitmapFileProblem(std::string_view bytes) {
  if (bytes.size() < kFileHeader || !bytes.starts_with("BM")) return "not a bitmap file";
  Dib dib;
  if (auto problem = ReadDib(bytes, kFileHeader, dib)) return problem;
  if (auto problem = CheckDib(dib, dib.height)) return problem;
  if (auto problem = CheckCompression(dib)) return problem;
  const std::uint64_t pixelsAt = Read32(bytes, 10);
  if (pixelsAt < kFileHeader + dib.headerSize + TableBytes(dib)) return "palette cut off";
  const std::uint64_t height = dib.height < 0 ? -dib.height : dib.height;
  const std::uint64_t pixels =
      dib.compression == kRle8 || dib.compression == kRle4
          ? dib.imageSize
          : PixelBytes(static_cast<std::uint64_t>(dib.width), height, dib.bits);
  if (pixels == 0 || pixelsAt + pixels > bytes.size()) return "bitmap pixels cut off";
  return std::nullopt;
}

std::optional<std::string> IconFileProblem(std::string_view bytes) {
  constexpr std::size_t kDirectory = 6, kEntry = 16;
  if (bytes.size() < kDirectory || Read16(bytes, 0) != 0 || Read16(bytes, 2) != 1) {
    return "not an icon file";
  }
  const std::size_t count = Read16(bytes, 4);
  if (count == 0) return "icon file without an image";
  if (kDirectory + count * kEntry > bytes.size()) return "icon directory cut off";
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirectory + i * kEntry;
    const std::uint64_t size = Read32(bytes, entry + 8);
    const std::uint64_t at = Read32(bytes, entry + 12);
    if (at < kDirectory + count * kEntry || at + size > bytes.size()) return "icon image cut off";
    if (auto problem = CheckIconImage(bytes.substr(at, size))) return problem;
  }
  return std::nullopt;
}

}  // namespace core
