#pragma once
// A system library loaded on the first call of one of its functions and kept for the rest of
// the run, so that what serves a rare feature costs no memory or start-up time until it is used.

#include <windows.h>

namespace platform {

class LazyLibrary {
 public:
  // Loads the library; a failure is kept and reported by Find, naming the function asked for.
  explicit LazyLibrary(const char* name);
  LazyLibrary(const LazyLibrary&) = delete;
  LazyLibrary& operator=(const LazyLibrary&) = delete;
  // Never freed: its windows and callbacks may outlive any one caller.
  ~LazyLibrary() = default;

  // The function's address; throws SystemError naming the library and the function when either
  // cannot be found.
  FARPROC Find(const char* function) const;

  template <typename Function>
  Function Find(const char* function) const {
    // Through the generic function pointer type, which any function pointer converts to.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(Find(function)));
  }

 private:
  const char* name_;
  HMODULE module_;
  DWORD loadError_;
};

// The one LazyLibrary of the name for the run, loaded at its first use from any thread.
template <const char* Name>
const LazyLibrary& LibraryNamed() {
  static const LazyLibrary library(Name);
  return library;
}

}  // namespace platform
