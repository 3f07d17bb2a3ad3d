#pragma once
// The options dialog's tests: a bar in the test's own process showing a file that exists, so
// that Ok asks nothing, and helpers that work the dialog's controls as the user would.

#include <gtest/gtest.h>

#include <string>

#include "InProcessBar.h"
#include "dialogs/Options.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace testing_support {

class OptionsFixture : public InProcessBar {
 protected:
  void SetUp() override {
    InProcessBar::SetUp();
    WriteWholeFile(file_, "news\r\n");
    Change([&](core::TickerSettings& v) { v.File = file_; });
  }
  void TearDown() override {
    InProcessBar::TearDown();
    ::DeleteFileA(file_.c_str());
  }
  static HWND Item(const TOptionsForm& form, UINT id) {
    return ::GetDlgItem(form.Handle(), static_cast<int>(id));
  }
  static void Click(const TOptionsForm& form, UINT id) {
    ::SendMessageA(Item(form, id), BM_CLICK, 0, 0);
  }
  static bool Checked(const TOptionsForm& form, UINT id) {
    return ::SendMessageA(Item(form, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  static std::string Text(HWND window) {
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
  }
  // A click on the page's tab.
  static void ChoosePage(const TOptionsForm& form, int page) {
    ::SendMessageA(Item(form, IDC_TABS), TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
  }
  const std::string file_ = TempFilePath("driftline-options.txt");
};

}  // namespace testing_support
