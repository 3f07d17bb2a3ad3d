#include "platform/CommonDialogsLibrary.h"

#include "platform/LazyLibrary.h"

namespace platform::comdlg32 {

namespace {
constexpr char kName[] = "comdlg32.dll";
}

BOOL ChooseColorA(CHOOSECOLORA* dialog) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::ChooseColorA)>("ChooseColorA");
  return function(dialog);
}

BOOL ChooseFontA(CHOOSEFONTA* dialog) {
  static const auto function = LibraryNamed<kName>().Find<decltype(&::ChooseFontA)>("ChooseFontA");
  return function(dialog);
}

DWORD CommDlgExtendedError() {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::CommDlgExtendedError)>("CommDlgExtendedError");
  return function();
}

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::GetOpenFileNameA)>("GetOpenFileNameA");
  return function(dialog);
}

BOOL GetSaveFileNameA(OPENFILENAMEA* dialog) {
  static const auto function =
      LibraryNamed<kName>().Find<decltype(&::GetSaveFileNameA)>("GetSaveFileNameA");
  return function(dialog);
}

}  // namespace platform::comdlg32
