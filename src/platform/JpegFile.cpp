// JPEG pictures through libjpeg, with an error handler that returns control instead of
// ending the process.

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "platform/Handles.h"
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

// A warning (a damaged picture that still decodes) would go to stderr, which a window program
// does not have.
void IgnoreMessage(j_common_ptr) {}

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

// Everything a decoding changes lives here, outside the function that calls setjmp, so that
// the values are defined after libjpeg jumps back (locals changed after setjmp would not be).
struct JpegDecoder {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  std::FILE* file = nullptr;
  UniqueBitmap bitmap;

  JpegDecoder() {
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = &EscapeOnError;
    errors.standard.output_message = &IgnoreMessage;
  }
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;
  ~JpegDecoder() {
    jpeg_destroy_decompress(&info);
    if (file) std::fclose(file);
  }

  // libjpeg may jump out of any call here: no local of this function may need a destructor
  // while it runs libjpeg, and what it keeps goes into members at once.
  void Decode(const char* path) {
    jpeg_create_decompress(&info);
    file = std::fopen(path, "rb");
    if (!file) throw std::runtime_error(std::string("cannot open ") + path);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const unsigned width = info.output_width;
    const unsigned height = info.output_height;
    if (width == 0 || height == 0 || width > kMaxPixels / height) {
      throw std::runtime_error(std::string("JPEG picture too large: ") + path);
    }
    void* bits = nullptr;
    bitmap.reset(CreateBgrBitmap(static_cast<int>(width), static_cast<int>(height), &bits));
    const size_t stride = (width * 3 + 3) & ~3u;  // DIB rows are padded to 4 bytes
    while (info.output_scanline < height) {
      JSAMPROW row = static_cast<JSAMPROW>(bits) + stride * info.output_scanline;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
  }
};

// False when libjpeg reported an error; the decoder then holds its message.
bool DecodeOrEscape(JpegDecoder& decoder, const char* path) {
  if (setjmp(decoder.errors.escape)) return false;
  decoder.Decode(path);
  return true;
}

}  // namespace

HBITMAP LoadJpegBitmap(const std::string& path) {
  JpegDecoder decoder;
  if (!DecodeOrEscape(decoder, path.c_str())) {
    throw std::runtime_error(std::string("JPEG: ") + decoder.errors.message);
  }
  return decoder.bitmap.release();
}

}  // namespace platform
