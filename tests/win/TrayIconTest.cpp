// The tray icon: what it tells the shell and when, its mouse events, a refused add, a restarted
// shell, Wine's notification area and the single-instance guard.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ProgramDriver.h"
#include "components/Trayicon.h"

using namespace testing_support;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

// What the fake shell was told, and whether it holds the one icon.
struct ShellRecord {
  struct Call {
    DWORD message;
    std::string tip;
    HWND hwnd;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    HICON icon;
  };
  std::vector<Call> calls;
  int addsToRefuse = 0;
  bool holdsIcon = false;

  std::vector<DWORD> Messages() const {
    std::vector<DWORD> messages;
    std::ranges::transform(calls, std::back_inserter(messages), &Call::message);
    return messages;
  }
};

// Refuses what a real shell refuses: a second add, a modify or delete of an icon it lacks.
class FakeShell final : public TrayIconShell {
 public:
  explicit FakeShell(ShellRecord& record) : record_(record) {}
  BOOL Notify(DWORD message, NOTIFYICONDATAA& data) override {
    record_.calls.push_back(
        {message, data.szTip, data.hWnd, data.uID, data.uFlags, data.uCallbackMessage, data.hIcon});
    if (message == NIM_ADD && record_.addsToRefuse > 0) {
      --record_.addsToRefuse;
      return FALSE;
    }
    switch (message) {
      case NIM_ADD: return !std::exchange(record_.holdsIcon, true);
      case NIM_MODIFY: return record_.holdsIcon;
      case NIM_DELETE: return std::exchange(record_.holdsIcon, false);
      default: return FALSE;
    }
  }

 private:
  ShellRecord& record_;
};

void ShellRestarted(const TTrayIcon& tray) {
  ::SendMessageA(tray.Handle(), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

HICON SampleIcon() {
  return ::LoadIconA(nullptr, IDI_APPLICATION);
}

class TrayIconTest : public testing::Test {
 protected:
  TTrayIcon& MakeIcon() {
    host.log = [this](const std::string& line) { log.push_back(line); };
    icon = std::make_unique<TTrayIcon>(host, std::make_unique<FakeShell>(shell));
    return *icon;
  }

  TrayIconHost host;
  ShellRecord shell;
  std::vector<std::string> log;
  std::unique_ptr<TTrayIcon> icon;  // after what its shell records into
};

// What a row does to the icon, in order.
enum class Step { Tip, LongTip, Icon, On, Off, ShellForgets, ShellRestarts };

void Apply(Step step, TTrayIcon& tray, ShellRecord& shell) {
  switch (step) {
    case Step::Tip: tray.SetToolTip("News"); break;
    case Step::LongTip: tray.SetToolTip(std::string(63, 'a')); break;
    case Step::Icon: tray.SetIcon(SampleIcon()); break;
    case Step::On: tray.SetActive(true); break;
    case Step::Off: tray.SetActive(false); break;
    case Step::ShellForgets: shell.holdsIcon = false; break;
    case Step::ShellRestarts: ShellRestarted(tray); break;
  }
}

struct CallsCase {
  const char* what;
  std::vector<Step> steps;
  std::vector<DWORD> sent;
  std::string lastTip;
};

void PrintTo(const CallsCase& row, std::ostream* out) {
  *out << row.what;
}

class TrayIconCalls : public TrayIconTest, public testing::WithParamInterface<CallsCase> {};

TEST_P(TrayIconCalls, TellsTheShellOnlyWhatItNeeds) {
  TTrayIcon& tray = MakeIcon();
  for (Step step : GetParam().steps) Apply(step, tray, shell);
  PumpUntil([] { return true; });  // the messages posted meanwhile
  EXPECT_EQ(shell.Messages(), GetParam().sent);
  EXPECT_EQ(shell.calls.empty() ? "" : shell.calls.back().tip, GetParam().lastTip);
  for (const auto& call : shell.calls) EXPECT_EQ(call.hwnd, tray.Handle());
  EXPECT_THAT(log, ElementsAre());
}

using enum Step;
// clang-format off
INSTANTIATE_TEST_SUITE_P(TrayIcon, TrayIconCalls, testing::Values(
    CallsCase{"ActivatedTwiceAddsOnce", {Tip, On, On}, {NIM_ADD}, "News"},
    CallsCase{"DeactivatedTwiceDeletesOnce", {Tip, On, Off, Off}, {NIM_ADD, NIM_DELETE}, "News"},
    CallsCase{"DeactivatingAnInactiveIconSendsNothing", {Off}, {}, ""},
    CallsCase{"ChangesWhileInactiveSendNothing", {Tip, Icon}, {}, ""},
    CallsCase{"ChangesWhileActiveModify", {Tip, On, LongTip, Icon},
              {NIM_ADD, NIM_MODIFY, NIM_MODIFY}, std::string(62, 'a')},
    CallsCase{"TipSetWhileInactiveIsCutAtTheAdd", {LongTip, On}, {NIM_ADD}, std::string(62, 'a')},
    CallsCase{"EmptyTipIsSentOnceMoreAfterTheAdd", {On}, {NIM_ADD, NIM_MODIFY}, ""},
    CallsCase{"RestartedShellGetsTheActiveIconAgain", {Tip, On, ShellForgets, ShellRestarts},
              {NIM_ADD, NIM_ADD}, "News"},
    CallsCase{"ShellRestartLeavesAnInactiveIconAlone", {ShellRestarts}, {}, ""},
    // The broadcast without a restart: the duplicate is refused, the icon is still there.
    CallsCase{"ShellThatKeptTheIconIsNotAskedAgain", {Tip, On, ShellRestarts},
              {NIM_ADD, NIM_ADD, NIM_MODIFY}, "News"}),
    [](const auto& info) { return std::string(info.param.what); });
// clang-format on

// Every call names the icon, its picture, its tip and the message the shell calls back with.
TEST_F(TrayIconTest, EveryCallCarriesTheWholeRecord) {
  TTrayIcon& tray = MakeIcon();
  tray.SetToolTip("News");
  tray.SetIcon(SampleIcon());
  tray.SetActive(true);
  tray.SetToolTip("More news");
  tray.SetActive(false);
  ASSERT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_DELETE}));
  for (const auto& call : shell.calls) {
    EXPECT_EQ(call.id, 0u);
    EXPECT_EQ(call.flags, UINT{NIF_MESSAGE | NIF_ICON | NIF_TIP});
    EXPECT_EQ(call.callbackMessage, kTrayIconCallbackMessage);
    EXPECT_EQ(call.icon, tray.Icon());
  }
  EXPECT_NE(tray.Icon(), nullptr);
}

TEST_F(TrayIconTest, MouseCallbacksBecomeEventsInTheirOrder) {
  TTrayIcon& tray = MakeIcon();
  const auto callback = [&](UINT mouse) {
    ::SendMessageA(tray.Handle(), kTrayIconCallbackMessage, 0, mouse);
  };
  callback(WM_LBUTTONUP);  // no handler yet
  std::vector<std::string> events;
  tray.OnClick = [&] { events.push_back("click"); };
  tray.OnDblClick = [&] { events.push_back("double-click"); };
  tray.OnRightClick = [&](TMouseButton button, int x, int y) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    EXPECT_TRUE(button == TMouseButton::mbRight && x == cursor.x && y == cursor.y);
    events.push_back("right-click");
  };
  for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP}) {
    callback(mouse);
  }
  EXPECT_THAT(events, ElementsAre("click", "double-click", "click", "right-click"));
}

TEST_F(TrayIconTest, RefusedAddIsLoggedOnceAndTriedAgainUntilTheShellTakesIt) {
  shell.addsToRefuse = 2;
  TTrayIcon& tray = MakeIcon();
  tray.SetToolTip("News");
  tray.SetActive(true);
  ShellRestarted(tray);  // refused again, in the same streak
  ASSERT_TRUE(PumpUntil([&] { return shell.holdsIcon; }, 5000));
  EXPECT_EQ(std::ranges::count(shell.Messages(), DWORD{NIM_ADD}), 3);
  EXPECT_THAT(log, ElementsAre(HasSubstr("refused")));
}

// A top-level window that counts one registered message, as another instance's windows would.
class Listener : public platform::Window {
 public:
  explicit Listener(UINT message = 0) : message_(message) {
    CreateHandle({.name = "DriftlineTestListener"}, "",
                 {.style = WS_POPUP, .x = -50, .y = -50, .width = 10, .height = 10});
  }
  int heard = 0;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message_ != 0 && message == message_) ++heard;
    return DefaultHandling(message, wParam, lParam);
  }
  UINT message_;
};

TEST_F(TrayIconTest, HidesTheApplicationWindowUntilShowAppIsSet) {
  Listener application;
  ::ShowWindow(application.Handle(), SW_SHOWNOACTIVATE);
  host.applicationWindow = application.Handle();
  TTrayIcon& tray = MakeIcon();
  EXPECT_FALSE(::IsWindowVisible(application.Handle()));
  tray.SetShowApp(true);
  tray.Loaded();
  EXPECT_TRUE(::IsWindowVisible(application.Handle()));
}

TEST_F(TrayIconTest, SecondInstanceWithTheSameIdCallsTheFirstAndEnds) {
  const std::string id = "DriftlineTrayIconTest" + std::to_string(::GetCurrentProcessId());
  Listener otherWindow(::RegisterWindowMessageA(id.c_str()));
  int ended = 0;
  host.endProgram = [&] { ++ended; };
  TTrayIcon& first = MakeIcon();
  first.SetIDMessage(id);
  first.Loaded();
  EXPECT_EQ(ended, 0);
  TTrayIcon second(host, std::make_unique<FakeShell>(shell));
  second.SetIDMessage(id);
  second.Loaded();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(PumpUntil([&] { return otherWindow.heard == 1; }, 5000));
}

// Wine's shell: the icon appears, a right click on it shows the menu whose command runs, and
// the icon goes again.
TEST(TrayIconWine, IconAppearsOpensItsMenuAndGoes) {
  platform::ActionList actions;
  bool chosen = false;
  actions.Add({.id = 101, .caption = "&Choose", .onExecute = [&] { chosen = true; }});
  platform::PopupMenu menu(actions);
  menu.AddAction(101);
  TTrayIcon tray(TrayIconHost{});
  tray.PopupMenu = &menu;
  bool rightClicked = false;
  tray.OnRightClick = [&](TMouseButton, int, int) { rightClicked = true; };
  const std::vector<HWND> before = TrayIconWindows();
  tray.SetIcon(SampleIcon());
  tray.SetActive(true);
  HWND ours = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    for (HWND icon : TrayIconWindows()) {
      if (std::ranges::count(before, icon) == 0 && ::IsWindowVisible(icon)) ours = icon;
    }
    return ours != nullptr;
  })) << "no new icon in the tray";
  // The menu keeps this thread until a choice: another thread makes it, or gives up.
  std::thread chooser([] {
    HWND popup = nullptr;
    const auto shown = [&] {
      return (popup = ::FindWindowA("#32768", nullptr)) && ::IsWindowVisible(popup);
    };
    if (!WaitUntil(shown)) return;
    RECT bounds{};
    ::GetWindowRect(popup, &bounds);
    ClickAt({bounds.left + 20, bounds.top + 10});
    if (!WaitUntil([&] { return !::IsWindowVisible(popup); }, 5000)) ::EndMenu();
  });
  RECT icon{};
  ::GetWindowRect(ours, &icon);
  ClickAt({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2}, MOUSEEVENTF_RIGHTDOWN,
          MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(PumpUntil([&] { return rightClicked; }));
  chooser.join();
  EXPECT_TRUE(chosen);
  tray.SetActive(false);
  EXPECT_TRUE(PumpUntil([&] { return TrayIconWindows().size() == before.size(); }));
}

}  // namespace
