// The bar under an administrator's machine policy: its source is shown whatever the user asks
// for, locked in the options dialog and never stored; removed, the user's source comes back.

#include <gtest/gtest.h>

#include "HttpTestServer.h"
#include "ProgramOnSettings.h"
#include "dialogs/Options.h"

using namespace testing_support;

namespace {

size_t LogCount(const std::string& part) {
  return CountOf(ReadWholeFile(ProgramLogPath()), part);
}

class ProgramPolicy : public ProgramOnSettings {};

TEST_F(ProgramPolicy, ShowsTheCompanySourceLockedAndKeepsTheUsersOwnUnderneath) {
  HttpTestServer server([](const HttpRequest&) { return HttpResponse{200, "", "Notice\n"}; });
  const std::string own = TempFilePath("driftline-own.txt");
  WriteWholeFile(own, "My news\r\n");
  PolicyValues machine(HKEY_LOCAL_MACHINE);
  machine.Set("UseFileUrl", 1);
  machine.Set("FileUrl", server.Url("/company.txt"));
  // The user asks for a file of their own, on the command line and in the settings.
  auto program = Start("UseFileUrl=0\r\nFileUrl=http://127.0.0.1:1/own.txt\r\n", "/LOG " + own);
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([] { return LogCount("Received Windows message: WParam: 2") == 1; }));
  EXPECT_EQ(server.Requests().front().path, "/company.txt");
  EXPECT_EQ(LogCount("Read file " + own), 0u);

  ::PostMessageA(bar, WM_KEYDOWN, VK_F8, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (dialog = FindProcessWindow(program->ProcessId(), "TOptionsForm")); }));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_FILE_URL)));
  EXPECT_NE(::FindWindowExA(dialog, nullptr, nullptr, "Set by your administrator"), nullptr);
  ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return Saved().find("ActiveTab=") != std::string::npos; }));
  EXPECT_NE(Saved().find("FileUrl=http://127.0.0.1:1/own.txt"), std::string::npos);
  EXPECT_NE(Saved().find("UseFileUrl=0"), std::string::npos);

  machine.Clear();
  SendPolicyChange(bar);
  EXPECT_TRUE(WaitUntil([&] { return LogCount("Read file " + own) == 1; }));
  Exit(*program, bar);
  ::DeleteFileA(own.c_str());
}

}  // namespace
