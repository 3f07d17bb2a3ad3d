#include "platform/SoundLibrary.h"

// After windows.h, which it needs.
#include <mmsystem.h>

#include "platform/LazyLibrary.h"

namespace platform::winmm {

namespace {

const LazyLibrary& Library() {
  static const LazyLibrary library("winmm.dll");
  return library;
}

}  // namespace

BOOL PlaySoundFile(const char* path) {
  static const auto function = Library().Find<BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD)>("PlaySoundA");
  return function(path, nullptr, SND_FILENAME | SND_ASYNC);
}

}  // namespace platform::winmm
