#include "platform/CommonControlsLibrary.h"

#include "platform/LazyLibrary.h"

namespace platform::comctl32 {

namespace {
constexpr char kName[] = "comctl32.dll";
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx");
  return function(classes);
}

}  // namespace platform::comctl32
