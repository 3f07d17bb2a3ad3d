// Logo pictures of every kind load through Windows and libjpeg; damaged ones throw.

#include "platform/Picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "ProgramDriver.h"

#include <jpeglib.h>

using namespace testing_support;

namespace {

std::string TempPath(const std::string& name) {
  return TempFilePath("driftline-" + name);
}

template <typename T>
void Append(std::string& bytes, const T& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

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

std::unique_ptr<platform::Picture> Load(const std::string& path) {
  try {
    return platform::LoadPicture(path);
  } catch (const std::exception& e) {
    ADD_FAILURE() << path << ": " << e.what();
    return nullptr;
  }
}

TEST(Picture, LoadsEachKindWithItsSize) {
  const std::string bmp = TempPath("logo.bmp");
  WriteBitmap(bmp, 40, 20);
  const auto bitmap = Load(bmp);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Width(), 40);
  EXPECT_EQ(bitmap->Height(), 20);

  const std::string ico = TempPath("logo.ICO");
  WriteIcon(ico, 16);
  const auto icon = Load(ico);
  EXPECT_TRUE(icon && icon->Height() == 16);

  const std::string jpg = TempPath("logo.jpeg");
  WriteJpeg(jpg, 64, 16);
  const auto jpeg = Load(jpg);
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->Width(), 64);
  EXPECT_EQ(jpeg->Height(), 16);

  const std::string emf = TempPath("logo.emf");
  RECT frame{0, 0, 1000, 500};  // 0.01 mm
  HDC recorder = ::CreateEnhMetaFileA(nullptr, emf.c_str(), &frame, nullptr);
  ::Rectangle(recorder, 0, 0, 30, 15);
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(recorder));
  const auto enhanced = Load(emf);
  EXPECT_TRUE(enhanced && enhanced->Width() > 0);

  const std::string wmf = TempPath("logo.wmf");
  HDC oldRecorder = ::CreateMetaFileA(wmf.c_str());
  ::Rectangle(oldRecorder, 0, 0, 30, 15);
  ::DeleteMetaFile(::CloseMetaFile(oldRecorder));
  EXPECT_TRUE(Load(wmf));

  for (const auto& path : {bmp, ico, jpg, emf, wmf}) ::DeleteFileA(path.c_str());
}

TEST(Picture, DamagedOrUnknownFilesThrowAndTheProgramGoesOn) {
  const std::string jpg = TempPath("damaged.jpg");
  WriteJpeg(jpg, 64, 64);
  std::string bytes = ReadWholeFile(jpg);
  WriteWholeFile(jpg, bytes.substr(0, bytes.size() / 3));
  EXPECT_ANY_THROW(platform::LoadPicture(jpg));  // a truncated picture
  // Damaged after its scan lines, when the bitmap already exists: a second frame header in
  // place of the end marker.
  const size_t frame = bytes.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  const size_t frameLength = (static_cast<unsigned char>(bytes[frame + 2]) << 8) +
                             static_cast<unsigned char>(bytes[frame + 3]) + 2;
  WriteWholeFile(jpg, bytes.substr(0, bytes.size() - 2) + bytes.substr(frame, frameLength) +
                          bytes.substr(bytes.size() - 2));
  EXPECT_ANY_THROW(platform::LoadPicture(jpg));
  WriteWholeFile(jpg, "not a picture at all");
  EXPECT_ANY_THROW(platform::LoadPicture(jpg));
  const std::string gif = TempPath("logo.gif");
  WriteWholeFile(gif, "GIF89a");
  EXPECT_ANY_THROW(platform::LoadPicture(gif));
  EXPECT_ANY_THROW(platform::LoadPicture(TempPath("missing.bmp")));
  ::DeleteFileA(jpg.c_str());
  ::DeleteFileA(gif.c_str());
}

}  // namespace
