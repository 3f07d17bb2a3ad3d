// The window, timer, modal and error helpers against real Win32.

#include <gtest/gtest.h>

#include <thread>

#include "ProgramDriver.h"
#include "platform/Application.h"
#include "platform/ModalForm.h"
#include "platform/SystemError.h"
#include "platform/Timer.h"
#include "platform/Window.h"

using namespace testing_support;

namespace {

TEST(Timer, FiresAtItsIntervalOnlyWhileEnabled) {
  platform::Timer timer(10);
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  PumpUntil([] { return false; }, 60);
  EXPECT_EQ(ticks, 0) << "created disabled";
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  const int stopped = ticks;
  PumpUntil([] { return false; }, 60);
  EXPECT_EQ(ticks, stopped);
}

TEST(Timer, AnIntervalOfZeroNeverFires) {
  platform::Timer timer(0);
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  timer.SetEnabled(true);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(5);
  EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }, 5000));
}

TEST(Timer, ReEnablingRestartsTheCount) {
  platform::Timer timer(300);
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  timer.SetEnabled(true);
  // Re-enable every 50 ms for 600 ms: the 300 ms count never completes.
  for (int i = 0; i < 12; ++i) {
    PumpUntil([] { return false; }, 50);
    timer.SetEnabled(false);
    timer.SetEnabled(true);
  }
  EXPECT_EQ(ticks, 0);
}

class ThrowingWindow : public platform::Window {
 public:
  static constexpr UINT kThrow = WM_APP + 5;
  ThrowingWindow() {
    platform::WindowPlacement placement;
    placement.style = WS_POPUP;
    CreateHandle({.name = "DriftlineTestThrowingWindow"}, "", placement);
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrow) throw std::runtime_error("the handler failed");
    return DefaultHandling(message, wParam, lParam);
  }
};

TEST(Window, AnExceptionInAHandlerIsShownInABoxCaptionedWithTheProgramsNameAndTheProgramGoesOn) {
  platform::Application application("Ticker test");
  ThrowingWindow window;
  MessageBoxAnswer answer("Ticker test");
  const LRESULT result = ::SendMessageA(window.Handle(), ThrowingWindow::kThrow, 0, 0);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(answer.Text(), "the handler failed");
  EXPECT_TRUE(::IsWindow(window.Handle()));
}

TEST(SystemError, CarriesTheSystemsMessageForTheCode) {
  try {
    platform::ThrowError(ERROR_FILE_NOT_FOUND);
    FAIL() << "nothing thrown";
  } catch (const platform::SystemError& e) {
    EXPECT_EQ(e.code(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(std::string(e.what()), platform::SystemMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(std::string(e.what()).empty());
    EXPECT_NE(std::string(e.what()).back(), '\n');
  }
}

class ClosingModalForm : public platform::ModalForm {
 public:
  explicit ClosingModalForm(HWND owner) {
    platform::WindowPlacement placement;
    placement.style = WS_POPUP | WS_CAPTION;
    placement.parent = owner;
    placement.width = placement.height = 100;
    CreateHandle({.name = "DriftlineTestModal"}, "modal", placement);
  }
  bool ownerWasDisabled = false;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) {
      ownerWasDisabled = !::IsWindowEnabled(::GetWindow(Handle(), GW_OWNER));
      EndModal(IDOK);
      return 0;
    }
    return ModalForm::HandleMessage(message, wParam, lParam);
  }
};

TEST(ModalForm, DisablesItsOwnerUntilItEnds) {
  ThrowingWindow owner;
  ClosingModalForm form(owner.Handle());
  ::PostMessageA(form.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(form.ShowModal(), IDOK);
  EXPECT_TRUE(form.ownerWasDisabled);
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(::IsWindowVisible(form.Handle()));
}

TEST(ModalForm, ClosingIsACancel) {
  ThrowingWindow owner;
  ClosingModalForm form(owner.Handle());
  ::PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form.ShowModal(), IDCANCEL);
}

}  // namespace
