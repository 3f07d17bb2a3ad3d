#include "platform/SoundLibrary.h"

// After windows.h, which it needs.
#include <mmsystem.h>

#include "platform/LazyLibrary.h"

namespace platform::winmm {

namespace {
constexpr char kName[] = "winmm.dll";
}

BOOL PlaySoundFile(const char* path) {
  static const auto function = LibraryNamed<kName>().Find<decltype(&::PlaySoundA)>("PlaySoundA");
  return function(path, nullptr, SND_FILENAME | SND_ASYNC);
}

}  // namespace platform::winmm
