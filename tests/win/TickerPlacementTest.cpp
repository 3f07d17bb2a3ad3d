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

// The real shell, except that the first `failing` message it is sent fails as refused.
class OnceFailingShell final : public AppBarShell {
 public:
  explicit OnceFailingShell(DWORD failing) : failing_(failing) {}
  UINT_PTR Send(DWORD message, APPBARDATA& data) override {
    if (message != failing_ || failed_) return ::SHAppBarMessage(message, &data);
    failed_ = true;
    ::SetLastError(ERROR_ACCESS_DENIED);
    return 0;
  }

 private:
  DWORD failing_;
  bool failed_ = false;
};

struct StartupShellCase {
  const char* what;
  DWORD failing;
};

class TickerStartupShell : public testing::TestWithParam<StartupShellCase> {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override { ResetProgramState(); }
};

TEST_P(TickerStartupShell, ShowsTheErrorAndRunsOn) {
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
  bar.reset();
}

INSTANTIATE_TEST_SUITE_P(Table, TickerStartupShell,
                         testing::Values(StartupShellCase{"RefusedRegistration", ABM_NEW},
                                         StartupShellCase{"FailedPosition", ABM_SETPOS}),
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
