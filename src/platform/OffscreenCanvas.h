#pragma once
// A picture in memory to draw into and copy to the screen in one piece, kept while its size
// stays, so that a step of an animation makes no device context or bitmap of its own.

#include <windows.h>

#include <utility>

#include "platform/Handles.h"

namespace platform {

class OffscreenCanvas {
 public:
  OffscreenCanvas() = default;
  OffscreenCanvas(const OffscreenCanvas&) = delete;
  OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;
  ~OffscreenCanvas() {
    // A bitmap cannot be deleted while a device context holds it.
    if (dc_ && original_) ::SelectObject(dc_.get(), original_);
  }

  // The canvas, `width` × `height`, compatible with `screen`; null when the system refuses.
  HDC Prepare(HDC screen, int width, int height) {
    if (dc_ && width == width_ && height == height_) return dc_.get();
    if (!dc_) dc_.reset(::CreateCompatibleDC(screen));
    if (!dc_) return nullptr;
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, width, height));
    if (!bitmap) return nullptr;
    HGDIOBJ previous = ::SelectObject(dc_.get(), bitmap.get());
    if (!original_) original_ = previous;
    bitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
    return dc_.get();
  }

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ original_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace platform
