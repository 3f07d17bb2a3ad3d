#pragma once
// winmm, loaded when the change sound first plays.

#include <windows.h>

namespace platform::winmm {

// Plays a wave file without waiting for it. Throws SystemError naming the library and the
// function when they cannot be loaded.
BOOL PlaySoundFile(const char* path);

}  // namespace platform::winmm
