// The app bar against Wine's shell: docking, refusals, shell errors, notifications and the
// reserved strip.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "components/AppBar.h"
#include "platform/Monitors.h"
#include "platform/SystemError.h"

using namespace testing_support;

namespace {

constexpr int kBarHeight = 25;
constexpr core::Rect kFloatRect{120, 200, 520, 230};

// A top-level form that hands every message to its app bar first, as the bar does.
class BarOwner : public platform::Window {
 public:
  explicit BarOwner(DWORD style = WS_POPUP, HWND parent = nullptr) {
    platform::WindowPlacement placement{.style = style, .x = 50, .y = 300, .parent = parent};
    placement.width = 400;
    placement.height = kBarHeight;
    CreateHandle({.name = "DriftlineTestBarOwner"}, "", placement);
  }
  core::Rect Bounds() const { return platform::WindowBounds(Handle()); }
  TAppBar* appBar = nullptr;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (appBar) appBar->AppBarWndProc(message, wParam, lParam);
    return DefaultHandling(message, wParam, lParam);
  }
};

struct BarForm : BarOwner {
  explicit BarForm(TEdge edge, std::unique_ptr<AppBarShell> shell = SystemAppBarShell())
      : bar(this, std::move(shell)) {
    appBar = &bar;
    bar.FloatRect = kFloatRect;
    bar.SetEdge(edge);
  }
  ~BarForm() { appBar = nullptr; }
  TAppBar bar;
};

struct RowName {
  std::string operator()(const auto& info) const { return info.param.what; }
};

struct DockCase {
  const char* what;
  TEdge edge;
  // From the screen's width and, asked before the bar registers, the shell's answer for a strip.
  std::function<core::Rect(int screenWidth)> expected;
};

class AppBarDocking : public testing::TestWithParam<DockCase> {};

TEST_P(AppBarDocking, TakesTheShellsPlaceAtItsEdgeWithItsOwnHeight) {
  const core::Rect expected = GetParam().expected(::GetSystemMetrics(SM_CXSCREEN));
  BarForm form(GetParam().edge);
  const core::Rect before = form.Bounds();
  form.bar.Loaded();
  EXPECT_NE(before, expected) << "nothing moved before Loaded";
  EXPECT_TRUE(form.bar.IsRegistered());
  EXPECT_EQ(form.Bounds(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    AppBar, AppBarDocking,
    testing::Values(
        DockCase{"Top", TEdge::abeTop,
                 [](int w) {
                   return core::Rect{0, 0, w, kBarHeight};
                 }},
        // Where the shell's answer ends the bottom strip: Wine's 1-pixel taskbar does not lift it.
        DockCase{"Bottom", TEdge::abeBottom,
                 [](int w) {
                   const int bottom = ReservationQuery(ABE_BOTTOM).bottom;
                   return core::Rect{0, bottom - kBarHeight, w, bottom};
                 }},
        DockCase{"Float", TEdge::abeFloat, [](int) { return kFloatRect; }}),
    RowName());

struct OwnerCase {
  const char* what;
  std::function<void()> construct;
  const char* message;
};

class AppBarOwnerCheck : public testing::TestWithParam<OwnerCase> {};

TEST_P(AppBarOwnerCheck, RefusesAnOwnerItCannotDock) {
  try {
    GetParam().construct();
    FAIL() << "nothing thrown";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(AppBar, AppBarOwnerCheck,
                         testing::Values(OwnerCase{"NoOwner", [] { TAppBar bar(nullptr); },
                                                   "Sorry, can't do this without an owner"},
                                         OwnerCase{"ChildWindow",
                                                   [] {
                                                     BarOwner form;
                                                     BarOwner child(WS_CHILD, form.Handle());
                                                     TAppBar bar(&child);
                                                   },
                                                   "Sorry, can't do this only with TCustomForms"},
                                         OwnerCase{"SecondOnTheSameOwner",
                                                   [] {
                                                     BarForm form{TEdge::abeTop};
                                                     TAppBar second(&form);
                                                   },
                                                   "Ooops, you need only *ONE* of these"}),
                         RowName());

// The real shell, but once armed ABM_QUERYPOS fails with the given code.
class QueryFailingShell : public AppBarShell {
 public:
  explicit QueryFailingShell(DWORD code) : code_(code) {}
  UINT_PTR Send(DWORD message, APPBARDATA& data) override {
    if (armed) sentWhileArmed.push_back(message);
    if (!armed || message != ABM_QUERYPOS) return ::SHAppBarMessage(message, &data);
    ::SetLastError(code_);
    return 0;
  }
  bool armed = false;
  std::vector<DWORD> sentWhileArmed;

 private:
  DWORD code_;
};

struct FailureCase {
  const char* what;
  DWORD code;
  std::string message;
};

class AppBarShellFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(AppBarShellFailure, StopsWithTheErrorAndLeavesTheWindowWhereItWas) {
  auto shell = std::make_unique<QueryFailingShell>(GetParam().code);
  QueryFailingShell& fake = *shell;
  BarForm form(TEdge::abeTop, std::move(shell));
  form.bar.Loaded();
  const core::Rect docked = form.Bounds();
  fake.armed = true;
  try {
    form.bar.SetEdge(TEdge::abeBottom);
    FAIL() << "nothing thrown";
  } catch (const platform::SystemError& e) {
    EXPECT_EQ(e.what(), GetParam().message);
  }
  EXPECT_EQ(fake.sentWhileArmed, std::vector<DWORD>{ABM_QUERYPOS}) << "nothing sent after it";
  EXPECT_EQ(form.Bounds(), docked);
}

INSTANTIATE_TEST_SUITE_P(AppBar, AppBarShellFailure,
                         testing::Values(FailureCase{"NoCode", 0,
                                                     "SHAppBarMessage(ABM_QUERYPOS) failed"},
                                         FailureCase{"AccessDenied", ERROR_ACCESS_DENIED,
                                                     platform::SystemMessage(ERROR_ACCESS_DENIED)}),
                         RowName());

TEST(AppBarNotification, APositionChangeFromTheShellDocksTheBarAgain) {
  BarForm form{TEdge::abeTop};
  form.bar.Loaded();
  const core::Rect docked = form.Bounds();
  ::SetWindowPos(form.Handle(), nullptr, 200, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_NE(form.Bounds(), docked);
  ::PostMessageA(form.Handle(), kAppBarCallbackMessage, ABN_POSCHANGED, 0);
  EXPECT_TRUE(PumpUntil([&] { return form.Bounds() == docked; }, 5000));
}

// How far the shell pushes a later bar's strip at `edge` in from the screen's edge.
int Taken(TEdge edge) {
  const core::Rect answer = ReservationQuery(static_cast<UINT>(edge));
  return edge == TEdge::abeTop ? answer.top : ::GetSystemMetrics(SM_CYSCREEN) - answer.bottom;
}

struct ReservationCase {
  const char* what;
  TEdge edge;
  std::function<void(TAppBar&)> afterLoaded;
  int reserved;
};

class AppBarReservation : public testing::TestWithParam<ReservationCase> {};

TEST_P(AppBarReservation, MovesLaterBarsOffTheStripItReserves) {
  const int before = Taken(GetParam().edge);
  BarForm form(GetParam().edge);
  form.bar.Loaded();
  GetParam().afterLoaded(form.bar);
  EXPECT_EQ(Taken(GetParam().edge), before + GetParam().reserved);
}

const auto kStays = [](TAppBar&) {};
const auto kFloats = [](TAppBar& bar) { bar.SetEdge(TEdge::abeFloat); };

INSTANTIATE_TEST_SUITE_P(
    AppBar, AppBarReservation,
    testing::Values(ReservationCase{"Top", TEdge::abeTop, kStays, kBarHeight},
                    ReservationCase{"TopNotAdjustingTheDesktop", TEdge::abeTop,
                                    [](TAppBar& bar) { bar.SetDoNotAdjustDesktop(true); }, 0},
                    ReservationCase{"TopThenFloating", TEdge::abeTop, kFloats, 0},
                    ReservationCase{"Bottom", TEdge::abeBottom, kStays, kBarHeight},
                    ReservationCase{"BottomThenFloating", TEdge::abeBottom, kFloats, 0}),
    RowName());

// The real shell, but ABM_SETPOS fails once while armed.
class OnceFailingSetPos final : public AppBarShell {
 public:
  UINT_PTR Send(DWORD message, APPBARDATA& data) override {
    if (!armed || message != ABM_SETPOS) return ::SHAppBarMessage(message, &data);
    armed = false;
    ::SetLastError(ERROR_ACCESS_DENIED);
    return 0;
  }
  bool armed = false;
};

TEST(AppBarGiveBack, AFailedGiveBackIsTriedAgainAtTheNextFloat) {
  const int before = Taken(TEdge::abeTop);
  auto shell = std::make_unique<OnceFailingSetPos>();
  OnceFailingSetPos& fake = *shell;
  BarForm form(TEdge::abeTop, std::move(shell));
  form.bar.Loaded();
  ASSERT_EQ(Taken(TEdge::abeTop), before + kBarHeight);
  fake.armed = true;
  EXPECT_THROW(form.bar.SetEdge(TEdge::abeFloat), platform::SystemError);
  EXPECT_EQ(Taken(TEdge::abeTop), before + kBarHeight) << "the shell kept the strip";
  form.bar.SetEdge(TEdge::abeFloat);
  EXPECT_EQ(Taken(TEdge::abeTop), before);
}

}  // namespace
