// libjpeg, built for the target from Debian's source, links and round-trips a picture.

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

TEST(JpegLibrary, CompressesAndDecompressesInMemory) {
  constexpr int kWidth = 16, kHeight = 8;
  std::vector<unsigned char> pixels(kWidth * kHeight * 3, 0x80);

  jpeg_compress_struct compress{};
  jpeg_error_mgr errors{};
  compress.err = jpeg_std_error(&errors);
  jpeg_create_compress(&compress);
  unsigned char* encoded = nullptr;
  unsigned long encodedSize = 0;
  jpeg_mem_dest(&compress, &encoded, &encodedSize);
  compress.image_width = kWidth;
  compress.image_height = kHeight;
  compress.input_components = 3;
  compress.in_color_space = JCS_RGB;
  jpeg_set_defaults(&compress);
  jpeg_start_compress(&compress, TRUE);
  while (compress.next_scanline < compress.image_height) {
    JSAMPROW row = &pixels[compress.next_scanline * kWidth * 3];
    jpeg_write_scanlines(&compress, &row, 1);
  }
  jpeg_finish_compress(&compress);
  jpeg_destroy_compress(&compress);
  ASSERT_GT(encodedSize, 0u);

  jpeg_decompress_struct decompress{};
  decompress.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&decompress);
  jpeg_mem_src(&decompress, encoded, encodedSize);
  ASSERT_EQ(jpeg_read_header(&decompress, TRUE), JPEG_HEADER_OK);
  EXPECT_EQ(decompress.image_width, static_cast<JDIMENSION>(kWidth));
  EXPECT_EQ(decompress.image_height, static_cast<JDIMENSION>(kHeight));
  jpeg_destroy_decompress(&decompress);
  free(encoded);
}

}  // namespace
