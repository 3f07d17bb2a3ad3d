// Logo pictures of every kind load through Windows and libjpeg; damaged ones throw.

#include "platform/Picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "PictureFiles.h"
#include "ProgramDriver.h"

using namespace testing_support;

namespace {

std::string TempPath(const std::string& name) {
  return TempFilePath("driftline-" + name);
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
