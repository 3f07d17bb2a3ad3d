// The tray icon's menu as the user opens it, in the bar's own process so that its captions can
// be read: the visible bar's menu, the minimized bar's, and the minimize caption.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "Commands.h"
#include "InProcessBar.h"

using namespace testing_support;

namespace {

// Right-clicks the icon and reads the captions of the menu that opens, then closes it.
std::vector<std::string> TrayMenuCaptions(TForm1& bar) {
  std::vector<std::string> captions;
  std::thread reader([&captions] {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
          menu = ::FindWindowA("#32768", nullptr);
          return menu && ::IsWindowVisible(menu);
        },
        5000);
    if (!menu) return;
    const auto handle = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(handle); ++i) {
      char text[64] = {};
      ::GetMenuStringA(handle, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      captions.emplace_back(text);
    }
    ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  ::SendMessageA(bar.TrayIcon().Handle(), kTrayIconCallbackMessage, 0, WM_RBUTTONUP);
  reader.join();
  return captions;
}

struct MenuCase {
  const char* what;
  bool totallyHide;
  std::vector<UINT> commands;
  std::vector<std::string> captions;
  std::vector<const char*> policies;  // on (DWORD 1) in the user's policy key
};

class TickerTrayMenu : public InProcessBar, public testing::WithParamInterface<MenuCase> {};

TEST_P(TickerTrayMenu, OffersWhatTheBarsStateAllows) {
  PolicyValues policy(HKEY_CURRENT_USER);
  for (const char* name : GetParam().policies) policy.Set(name, 1);
  SendPolicyChange(bar->Handle());
  Change([&](core::TickerSettings& v) { v.TotallyHide = GetParam().totallyHide; });
  for (UINT command : GetParam().commands) ::SendMessageA(bar->Handle(), WM_COMMAND, command, 0);
  EXPECT_EQ(TrayMenuCaptions(*bar), GetParam().captions);
  EXPECT_FALSE(application->Terminated());
}

const std::string kSources = "&Sources\x85";
const std::string kRefresh = "Re&fresh now";
const std::vector<std::string> kVisibleMenu{"&Minimize", "&Pause", "",         "&Load File",
                                            kSources,    kRefresh, "&Options", "",
                                            "&Help",     "&About", "",         "E&xit"};
const std::vector<std::string> kHiddenMenu{"&Restore", kSources, kRefresh,
                                           "&Help",    "&About", "E&xit"};

INSTANTIATE_TEST_SUITE_P(
    Table, TickerTrayMenu,
    testing::Values(MenuCase{"Visible", false, {}, kVisibleMenu},
                    MenuCase{"Minimized", false, {CMD_MINIMIZE}, kHiddenMenu},
                    MenuCase{"Restored", false, {CMD_MINIMIZE, CMD_RESTORE}, kVisibleMenu},
                    MenuCase{"HiddenRestored",
                             true,
                             {CMD_MINIMIZE, CMD_RESTORE},
                             {"&Hide", "&Pause", "", "&Load File", kSources, kRefresh, "&Options",
                              "", "&Help", "&About", "", "E&xit"}},
                    MenuCase{
                        "PolicyHidesOptionsAndExit",
                        false,
                        {CMD_EXIT},
                        {"&Minimize", "&Pause", "", "&Load File", kRefresh, "", "&Help", "&About"},
                        {"DisableOptions", "DisableExit"}},
                    MenuCase{"PolicyHidesExitAlone",
                             false,
                             {CMD_EXIT},
                             {"&Minimize", "&Pause", "", "&Load File", kSources, kRefresh,
                              "&Options", "", "&Help", "&About"},
                             {"DisableExit"}},
                    MenuCase{"PolicyHidesOptionsAlone",
                             false,
                             {},
                             {"&Minimize", "&Pause", "", "&Load File", kRefresh, "", "&Help",
                              "&About", "", "E&xit"},
                             {"DisableOptions"}},
                    MenuCase{"PolicyOnTheSourceHidesSources",
                             false,
                             {},
                             {"&Minimize", "&Pause", "", "&Load File", kRefresh, "&Options", "",
                              "&Help", "&About", "", "E&xit"},
                             {"UseFileUrl"}}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
