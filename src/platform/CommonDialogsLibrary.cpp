#include "platform/CommonDialogsLibrary.h"

#include "platform/LazyLibrary.h"

namespace platform::comdlg32 {

namespace {

const LazyLibrary& Library() {
  static const LazyLibrary library("comdlg32.dll");
  return library;
}

}  // namespace

BOOL ChooseColorA(CHOOSECOLORA* dialog) {
  static const auto function = Library().Find<BOOL(WINAPI*)(CHOOSECOLORA*)>("ChooseColorA");
  return function(dialog);
}

BOOL ChooseFontA(CHOOSEFONTA* dialog) {
  static const auto function = Library().Find<BOOL(WINAPI*)(CHOOSEFONTA*)>("ChooseFontA");
  return function(dialog);
}

DWORD CommDlgExtendedError() {
  static const auto function = Library().Find<DWORD(WINAPI*)()>("CommDlgExtendedError");
  return function();
}

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog) {
  static const auto function = Library().Find<BOOL(WINAPI*)(OPENFILENAMEA*)>("GetOpenFileNameA");
  return function(dialog);
}

}  // namespace platform::comdlg32
