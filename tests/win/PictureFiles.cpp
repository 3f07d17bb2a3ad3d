#include "PictureFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

#include "ProgramDriver.h"

// jpeglib.h wants FILE and size_t declared before it.
#include <jpeglib.h>

namespace testing_support {
namespace {

template <typename T>
void Append(std::string& bytes, const T& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

void WriteIcon(const std::string& path, int size) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = size;
  info.biHeight = size * 2;
  info.biPlanes = 1;
  info.biBitCount = 32;
  const int maskStride = ((size + 31) / 32) * 4;
  std::string image;
  Append(image, info);
  image.append(static_cast<size_t>(size * size * 4), '\x7f');
  image.append(static_cast<size_t>(maskStride * size), '\0');
  std::string bytes;
  Append(bytes, WORD{0});
  Append(bytes, WORD{1});
  Append(bytes, WORD{1});
  bytes += static_cast<char>(size);
  bytes += static_cast<char>(size);
  bytes += '\0';
  bytes += '\0';
  Append(bytes, WORD{1});
  Append(bytes, WORD{32});
  Append(bytes, static_cast<DWORD>(image.size()));
  Append(bytes, static_cast<DWORD>(6 + 16));  // the image follows the one directory entry
  bytes += image;
  WriteWholeFile(path, bytes);
}

void WriteJpeg(const std::string& path, int width, int height) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  jpeg_compress_struct compress{};
  jpeg_error_mgr errors{};
  compress.err = jpeg_std_error(&errors);
  jpeg_create_compress(&compress);
  jpeg_stdio_dest(&compress, file);
  compress.image_width = width;
  compress.image_height = height;
  compress.input_components = 3;
  compress.in_color_space = JCS_RGB;
  jpeg_set_defaults(&compress);
  jpeg_start_compress(&compress, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3, 0x90);
  while (compress.next_scanline < compress.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&compress, rows, 1);
  }
  jpeg_finish_compress(&compress);
  jpeg_destroy_compress(&compress);
  std::fclose(file);
}

std::string MutatedCopy(const std::string& bytes, std::mt19937& random) {
  std::string copy = bytes;
  const auto below = [&random](std::size_t bound) {
    return bound == 0 ? std::size_t{0}
                      : std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
  };
  // The headers (sizes, counts, offsets) are where a reader is most easily misled.
  const auto position = [&] {
    return below(2) == 0 ? below(std::min<std::size_t>(copy.size(), 64)) : below(copy.size());
  };
  constexpr unsigned char kEdges[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
  constexpr std::uint32_t kNumbers[] = {0,      1,          0x7FFF,     0x8000,
                                        0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
  const std::size_t edits = 1 + below(4);
  for (std::size_t edit = 0; edit < edits && !copy.empty(); ++edit) {
    switch (below(6)) {
      case 0: copy[position()] ^= static_cast<char>(1u << below(8)); break;
      case 1: copy[position()] = static_cast<char>(kEdges[below(std::size(kEdges))]); break;
      case 2: {
        const std::uint32_t number = kNumbers[below(std::size(kNumbers))];
        const std::size_t at = position();
        const std::size_t width = below(2) == 0 ? 2 : 4;
        for (std::size_t i = 0; i < width && at + i < copy.size(); ++i) {
          copy[at + i] = static_cast<char>(number >> (8 * (below(2) == 0 ? i : width - 1 - i)));
        }
        break;
      }
      case 3: copy.resize(below(copy.size())); break;
      case 4: {
        const std::size_t at = below(copy.size());
        copy.insert(at, copy.substr(at, 1 + below(64)));
        break;
      }
      default: copy.erase(position(), 1 + below(16)); break;
    }
  }
  return copy;
}

}  // namespace testing_support
