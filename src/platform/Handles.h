#pragma once
// RAII owners for Win32 handles: move-only, named after the resource they hold.

#include <windows.h>

#include <utility>

#include "platform/InternetLibrary.h"

namespace platform {

template <typename T, typename Traits>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueResource() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return Traits::IsValid(value_); }
  T release() { return std::exchange(value_, Traits::Invalid()); }
  void reset(T value = Traits::Invalid()) {
    if (Traits::IsValid(value_)) Traits::Close(value_);
    value_ = value;
  }

 private:
  T value_ = Traits::Invalid();
};

struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
// Kernel objects: files, mutexes, threads, events.
using UniqueHandle = UniqueResource<HANDLE, KernelHandleTraits>;

struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::FindClose(h); }
};
// A FindFirstFile search.
using UniqueFind = UniqueResource<HANDLE, FindHandleTraits>;

// Handles whose only invalid value is null, closed by one system call.
template <typename T, auto CloseFunction>
struct NullableHandleTraits {
  static T Invalid() { return nullptr; }
  static bool IsValid(T h) { return h != nullptr; }
  static void Close(T h) { CloseFunction(h); }
};
template <typename T, auto CloseFunction>
using UniqueNullable = UniqueResource<T, NullableHandleTraits<T, CloseFunction>>;

inline void DeleteGdiObject(HGDIOBJ object) {
  ::DeleteObject(object);
}

using UniqueHkey = UniqueNullable<HKEY, &::RegCloseKey>;
using UniqueFont = UniqueNullable<HFONT, &DeleteGdiObject>;
using UniqueBitmap = UniqueNullable<HBITMAP, &DeleteGdiObject>;
using UniqueBrush = UniqueNullable<HBRUSH, &DeleteGdiObject>;
using UniqueMemoryDc = UniqueNullable<HDC, &::DeleteDC>;
using UniqueMenu = UniqueNullable<HMENU, &::DestroyMenu>;
using UniqueIcon = UniqueNullable<HICON, &::DestroyIcon>;
using UniqueInternet = UniqueNullable<HINTERNET, &wininet::InternetCloseHandle>;

// A window's device context for the length of a scope.
class ScopedGetDc {
 public:
  explicit ScopedGetDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ScopedGetDc(const ScopedGetDc&) = delete;
  ScopedGetDc& operator=(const ScopedGetDc&) = delete;
  ~ScopedGetDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back at scope end.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
  ~ScopedSelectObject() {
    if (previous_) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace platform
