#include "platform/CommonControlsLibrary.h"

#include "platform/LazyLibrary.h"

namespace platform::comctl32 {

namespace {

const LazyLibrary& Library() {
  static const LazyLibrary library("comctl32.dll");
  return library;
}

}  // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
  static const auto function =
      Library().Find<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
  return function(classes);
}

}  // namespace platform::comctl32
