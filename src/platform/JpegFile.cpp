// JPEG pictures through libjpeg, with an error handler that returns control instead of
// ending the process.

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "platform/Picture.h"
#include "platform/SystemError.h"

// jpeglib.h wants FILE and size_t declared before it.
#include <jpeglib.h>

namespace platform {
namespace {

struct JpegErrors {
  jpeg_error_mgr standard;
  std::jmp_buf escape;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void EscapeOnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->escape, 1);
}

// A decoder with plain members only, so that a jump back into Decode skips no destructor.
struct JpegDecoder {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  std::FILE* file = nullptr;

  ~JpegDecoder() {
    jpeg_destroy_decompress(&info);
    if (file) std::fclose(file);
  }
};

constexpr unsigned kMaxPixels = 16u * 1024u * 1024u;

HBITMAP CreateBgrBitmap(int width, int height, void** bits) {
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = -height;  // top-down, like the decoder's rows
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 24;
  header.bmiHeader.biCompression = BI_RGB;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, bits, nullptr, 0);
  return CheckHandle(bitmap);
}

}  // namespace

HBITMAP LoadJpegBitmap(const std::string& path) {
  JpegDecoder decoder;
  decoder.info.err = jpeg_std_error(&decoder.errors.standard);
  decoder.errors.standard.error_exit = &EscapeOnError;
  HBITMAP bitmap = nullptr;
  if (setjmp(decoder.errors.escape)) {
    if (bitmap) ::DeleteObject(bitmap);
    throw std::runtime_error(std::string("JPEG: ") + decoder.errors.message);
  }
  jpeg_create_decompress(&decoder.info);
  decoder.file = std::fopen(path.c_str(), "rb");
  if (!decoder.file) throw std::runtime_error("cannot open " + path);
  jpeg_stdio_src(&decoder.info, decoder.file);
  jpeg_read_header(&decoder.info, TRUE);
  decoder.info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&decoder.info);
  const unsigned width = decoder.info.output_width;
  const unsigned height = decoder.info.output_height;
  if (width == 0 || height == 0 || width > kMaxPixels / height) {
    throw std::runtime_error("JPEG picture too large: " + path);
  }
  void* bits = nullptr;
  bitmap = CreateBgrBitmap(static_cast<int>(width), static_cast<int>(height), &bits);
  const size_t stride = (width * 3 + 3) & ~3u;  // DIB rows are padded to 4 bytes
  while (decoder.info.output_scanline < height) {
    JSAMPROW row = static_cast<JSAMPROW>(bits) + stride * decoder.info.output_scanline;
    jpeg_read_scanlines(&decoder.info, &row, 1);
  }
  jpeg_finish_decompress(&decoder.info);
  return bitmap;
}

}  // namespace platform
