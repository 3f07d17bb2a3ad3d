// The bar's placement in its own process: shell errors while it starts, and its height with
// and without a frame, docked and floating.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InProcessBar.h"
#include "ProgramDriver.h"
#include "app/Ticker.h"
#include "platform/SystemError.h"

using namespace testing_support;

namespace {

// A call of the shell: its message, and the edge and the height it asks for unless 0.
struct ShellCall {
  DWORD message;
  UINT edge = 0;
  LONG height = 0;
};

// The real shell, except that the first call that matches `failing` fails as refused.
class OnceFailingShell final : public AppBarShell {
 public:
  explicit OnceFailingShell(ShellCall failing) : failing_(failing) {}
  UINT_PTR Send(DWORD message, APPBARDATA& data) override {
    const bool matches = message == failing_.message &&
                         (!failing_.edge || data.uEdge == failing_.edge) &&
                         (!failing_.height || data.rc.bottom - data.rc.top == failing_.height);
    if (failed_ || !matches) return ::SHAppBarMessage(message, &data);
    failed_ = true;
    ::SetLastError(ERROR_ACCESS_DENIED);
    return 0;
  }

 private:
  ShellCall failing_;
  bool failed_ = false;
};

struct StartupShellCase {
  const char* what;
  ShellCall failing;
  bool hideOnMissingFile = false;  // the first check minimizes the bar to its 2-pixel strip
};

class TickerStartupShell : public testing::TestWithParam<StartupShellCase> {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override { ResetProgramState(); }
};

// Docked at the top with the default frame and AlwaysOnTop, whatever the shell did.
TEST_P(TickerStartupShell, ShowsTheErrorAndRunsOn) {
  if (GetParam().hideOnMissingFile) {
    const char* key = "Software\\Quorvane\\Driftline\\1";
    ::RegSetKeyValueA(HKEY_CURRENT_USER, key, "HideOnMissing", REG_SZ, "1", 2);
    ::RegSetKeyValueA(HKEY_CURRENT_USER, key, "File", REG_SZ, "C:\\missing.txt", 15);
  }
  platform::Application application("Driftline");
  std::unique_ptr<TForm1> bar;
  {
    MessageBoxAnswer box("Driftline");
    EXPECT_NO_THROW(bar = std::make_unique<TForm1>(
                        application, std::make_unique<OnceFailingShell>(GetParam().failing)));
    EXPECT_EQ(box.Text(), platform::SystemMessage(ERROR_ACCESS_DENIED));
  }
  ASSERT_TRUE(bar);
  EXPECT_TRUE(::IsWindowVisible(bar->Handle()));
  EXPECT_TRUE(bar->Marquee().Active());
  const LONG exStyle = ::GetWindowLongA(bar->Handle(), GWL_EXSTYLE);
  EXPECT_FALSE(::GetWindowLongA(bar->Handle(), GWL_STYLE) & WS_THICKFRAME);
  EXPECT_TRUE((exStyle & WS_EX_DLGMODALFRAME) && (exStyle & WS_EX_TOPMOST));
  bar.reset();
}

INSTANTIATE_TEST_SUITE_P(Table, TickerStartupShell,
                         testing::Values(StartupShellCase{"RefusedRegistration", {ABM_NEW}},
                                         StartupShellCase{"FailedPosition", {ABM_SETPOS}},
                                         StartupShellCase{"FailedDock", {ABM_SETPOS, ABE_TOP}},
                                         StartupShellCase{"FailedRedockOfTheFirstMinimize",
                                                          {ABM_SETPOS, ABE_TOP, 2},
                                                          true}),
                         [](const auto& info) { return std::string(info.param.what); });

struct HeightCase {
  const char* what;
  bool frame;
  bool floating;
  int added;
};

class TickerHeight : public InProcessBar, public testing::WithParamInterface<HeightCase> {};

TEST_P(TickerHeight, IsTheMarqueesHeightPlusTheFrame) {
  const HeightCase& c = GetParam();
  Change([&](core::TickerSettings& v) {
    v.Frame = c.frame;
    v.Float = c.floating;
    v.FontSize = 6;  // lower than any system minimum
  });
  const RECT bounds = BoundsOf(bar->Handle());
  EXPECT_EQ(bounds.bottom - bounds.top, bar->Marquee().FittedHeight() + c.added);
  EXPECT_EQ(bar->AppBar().Edge() == TEdge::abeFloat, c.floating);
}

INSTANTIATE_TEST_SUITE_P(Table, TickerHeight,
                         testing::Values(HeightCase{"DockedFramed", true, false, 6},
                                         HeightCase{"DockedBare", false, false, 0},
                                         HeightCase{"FloatingFramed", true, true, 6},
                                         HeightCase{"FloatingBare", false, true, 0}),
                         [](const auto& info) { return std::string(info.param.what); });

// Wine's own positioning ignores the minimum; Windows raises a sizing border's height to it.
using TickerPlacement = InProcessBar;

TEST_F(TickerPlacement, LeaveTheHeightToTheBarsOwnRule) {
  MINMAXINFO limits{};
  limits.ptMinTrackSize = {::GetSystemMetrics(SM_CXMINTRACK), ::GetSystemMetrics(SM_CYMINTRACK)};
  ::SendMessageA(bar->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.y, 0);
}

// Another program's window, as far as the bar can tell.
class OtherWindow : public platform::Window {
 public:
  OtherWindow() {
    CreateHandle({.name = "DriftlineTestOtherWindow"}, "",
                 {.style = WS_POPUP | WS_VISIBLE, .x = 300, .y = 300, .width = 200, .height = 100});
  }
};

// A frame changed while the user works elsewhere (from the options dialog, say) takes nothing.
TEST_F(TickerPlacement, AFrameChangeLeavesAnotherWindowActive) {
  OtherWindow other;
  ::SetForegroundWindow(other.Handle());
  ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == other.Handle(); }, 3000));
  Change([](core::TickerSettings& v) { v.Frame = !v.Frame; });
  EXPECT_EQ(::GetActiveWindow(), other.Handle());
}

}  // namespace
