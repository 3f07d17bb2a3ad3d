#pragma once
// A picture loaded from a file, of the kinds the logo may be: bitmap, icon, metafile, JPEG.

#include <windows.h>

#include <memory>
#include <string>

namespace platform {

class Picture {
 public:
  virtual ~Picture() = default;
  virtual int Width() const = 0;  // pixels; for a metafile its picture frame
  virtual int Height() const = 0;
  // Draws the whole picture stretched into the rectangle.
  virtual void Draw(HDC dc, const RECT& into) const = 0;
};

// Loads by the file's extension (bmp, ico, wmf, emf, jpg, jpeg); throws on any failure.
std::unique_ptr<Picture> LoadPicture(const std::string& path);

// Decodes a JPEG file into a 24-bit bitmap; throws on a damaged file instead of ending the
// program as libjpeg's own error handler would.
HBITMAP LoadJpegBitmap(const std::string& path);

}  // namespace platform
