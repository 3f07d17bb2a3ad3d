#include "platform/Picture.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

#include "core/program/PictureHeaders.h"
#include "platform/Handles.h"
#include "platform/SystemError.h"
#include "platform/TextFile.h"

namespace platform {
namespace {

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

class BitmapPicture : public Picture {
 public:
  explicit BitmapPicture(HBITMAP bitmap) : bitmap_(bitmap) {
    BITMAP info{};
    ::GetObjectA(bitmap_.get(), sizeof info, &info);
    width_ = info.bmWidth;
    height_ = std::abs(info.bmHeight);
  }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(HDC dc, const RECT& into) const override {
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    ScopedSelectObject select(source.get(), bitmap_.get());
    ::SetStretchBltMode(dc, HALFTONE);
    ::StretchBlt(dc, into.left, into.top, into.right - into.left, into.bottom - into.top,
                 source.get(), 0, 0, width_, height_, SRCCOPY);
  }

 private:
  UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

class IconPicture : public Picture {
 public:
  explicit IconPicture(HICON icon) : icon_(icon) {
    ICONINFO info{};
    if (::GetIconInfo(icon_.get(), &info)) {
      BITMAP mask{};
      ::GetObjectA(info.hbmMask, sizeof mask, &mask);
      width_ = mask.bmWidth;
      height_ = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
      if (info.hbmColor) ::DeleteObject(info.hbmColor);
      ::DeleteObject(info.hbmMask);
    }
  }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(HDC dc, const RECT& into) const override {
    ::DrawIconEx(dc, into.left, into.top, icon_.get(), into.right - into.left,
                 into.bottom - into.top, 0, nullptr, DI_NORMAL);
  }

 private:
  UniqueIcon icon_;
  int width_ = 0;
  int height_ = 0;
};

using UniqueEnhMetaFile = UniqueNullable<HENHMETAFILE, &::DeleteEnhMetaFile>;

class MetafilePicture : public Picture {
 public:
  MetafilePicture(HENHMETAFILE metafile, int width, int height)
      : metafile_(metafile), width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(HDC dc, const RECT& into) const override {
    ::PlayEnhMetaFile(dc, metafile_.get(), &into);
  }

 private:
  UniqueEnhMetaFile metafile_;
  int width_;
  int height_;
};

std::unique_ptr<Picture> FromEnhMetaFile(HENHMETAFILE metafile) {
  if (!metafile) ThrowLastError();
  ENHMETAHEADER header{};
  ::GetEnhMetaFileHeader(metafile, sizeof header, &header);
  const int width = header.rclBounds.right - header.rclBounds.left + 1;
  const int height = header.rclBounds.bottom - header.rclBounds.top + 1;
  return std::make_unique<MetafilePicture>(metafile, width, height);
}

std::string ReadSmallFile(const std::string& path) {
  constexpr std::size_t kLimit = std::size_t{64} * 1024 * 1024;
  auto bytes = ReadWholeFile(path, kLimit, FileSharing::AllowWriters);
  if (!bytes) throw std::runtime_error("cannot open " + path);
  return std::move(*bytes);
}

// Windows metafiles usually carry the 22-byte "placeable" header of old drawing programs.
std::unique_ptr<Picture> LoadWindowsMetafile(const std::string& path) {
  const std::string file = ReadSmallFile(path);
  const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
  constexpr size_t kPlaceableHeader = 22;
  const bool placeable = file.size() > kPlaceableHeader && bytes[0] == 0xD7 && bytes[1] == 0xCD &&
                         bytes[2] == 0xC6 && bytes[3] == 0x9A;
  const size_t offset = placeable ? kPlaceableHeader : 0;
  if (file.size() <= offset) throw std::runtime_error("empty metafile " + path);
  METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
  if (placeable) {
    const auto word = [&](size_t at) {
      return static_cast<short>(bytes[at] | (bytes[at + 1] << 8));
    };
    const int inch = word(14) > 0 ? word(14) : 1440;
    // Picture size in 0.01 mm, from the bounding box in metafile units per inch.
    picture.xExt = ::MulDiv(word(10) - word(6), 2540, inch);
    picture.yExt = ::MulDiv(word(12) - word(8), 2540, inch);
  }
  return FromEnhMetaFile(::SetWinMetaFileBits(static_cast<UINT>(file.size() - offset),
                                              bytes + offset, nullptr, &picture));
}

// The system's readers of bitmaps and icons trust the sizes in a file's headers.
void CheckHeaders(const std::string& path,
                  std::optional<std::string> (*problemOf)(std::string_view bytes)) {
  if (const auto problem = problemOf(ReadSmallFile(path))) {
    throw std::runtime_error(*problem + ": " + path);
  }
}

}  // namespace

std::unique_ptr<Picture> LoadPicture(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == "bmp") {
    CheckHeaders(path, core::BitmapFileProblem);
    HANDLE bitmap = ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    return std::make_unique<BitmapPicture>(static_cast<HBITMAP>(CheckHandle(bitmap)));
  }
  if (extension == "ico") {
    CheckHeaders(path, core::IconFileProblem);
    HANDLE icon = ::LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    return std::make_unique<IconPicture>(static_cast<HICON>(CheckHandle(icon)));
  }
  if (extension == "emf") return FromEnhMetaFile(::GetEnhMetaFileA(path.c_str()));
  if (extension == "wmf") return LoadWindowsMetafile(path);
  if (extension == "jpg" || extension == "jpeg") {
    return std::make_unique<BitmapPicture>(LoadJpegBitmap(path));
  }
  throw std::runtime_error("unknown picture type: " + path);
}

}  // namespace platform
