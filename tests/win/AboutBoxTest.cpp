// The About box over the bar in the test's own process, without its modal loop.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InProcessBar.h"
#include "ResourceIds.h"
#include "dialogs/About.h"

using namespace testing_support;

namespace {

using AboutBox = InProcessBar;

TEST_F(AboutBox, ItsBlueLinkOpensTheAddressThroughTheBar) {
  std::vector<std::string> opened;
  bar->OpenWithShell = [&](const std::string& target) { opened.push_back(target); };
  TAboutBox box(*bar);
  HWND link = ::GetDlgItem(box.Handle(), IDC_ABOUT_LINK);
  ASSERT_NE(link, nullptr);
  const platform::ScopedGetDc dc(link);
  ::SendMessageA(box.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(::GetTextColor(dc.get()), RGB(0, 0, 255));
  ::SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  ::SendMessageA(link, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(opened, std::vector<std::string>{MyResources().GetString(IDS_WEB_ADDRESS)});
}

}  // namespace
