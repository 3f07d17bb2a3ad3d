// TMarquee in a test window against real GDI: what reaches the screen, and its properties.

#include "components/Marquee.h"

#include <gtest/gtest.h>

#include <thread>

#include "ProgramDriver.h"

using namespace testing_support;

namespace {

class HostWindow : public platform::Window {
 public:
  HostWindow() {
    platform::WindowPlacement placement;
    placement.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    placement.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    placement.x = 0;
    placement.y = 200;
    placement.width = 300;
    placement.height = 60;
    CreateHandle({.name = "DriftlineTestMarqueeHost"}, "", placement);
  }
};

bool IsTextPixel(COLORREF pixel) {
  // Maroon text, smoothed against a light background, stays clearly redder than it is green.
  return GetRValue(pixel) > GetGValue(pixel) + 40;
}

class MarqueeTest : public testing::Test {
 protected:
  void SetUp() override {
    marquee = std::make_unique<TMarquee>(host.Handle());
    marquee->SetBounds(0, 0, 300, 40);
    marquee->SetBorderStyle(TBorderStyle::bsNone);
    platform::FontSpec font;
    font.name = "Tahoma";
    font.size = 12;
    font.color = RGB(128, 0, 0);
    marquee->SetFont(font);
    marquee->SetColor(RGB(240, 240, 240));
    marquee->SetScrollDelay(15);
  }

  // Leftmost column of the client area that holds a text pixel, or -1.
  int LeftmostTextColumn() {
    HDC dc = ::GetDC(marquee->Handle());
    RECT client{};
    ::GetClientRect(marquee->Handle(), &client);
    int found = -1;
    for (int x = 0; x < client.right && found < 0; ++x) {
      for (int y = 0; y < client.bottom; ++y) {
        if (IsTextPixel(::GetPixel(dc, x, y))) {
          found = x;
          break;
        }
      }
    }
    ::ReleaseDC(marquee->Handle(), dc);
    return found;
  }

  void Pump(DWORD ms) {
    PumpUntil([] { return false; }, ms);
  }

  HostWindow host;
  std::unique_ptr<TMarquee> marquee;
};

TEST_F(MarqueeTest, StartsWithTheCreationValues) {
  TMarquee fresh(host.Handle());
  RECT bounds{};
  ::GetWindowRect(fresh.Handle(), &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 217);
  EXPECT_EQ(bounds.bottom - bounds.top, 21);
  EXPECT_EQ(fresh.ScrollText(), u"+++ Marquee ");
  EXPECT_EQ(fresh.Color(), 0x00FFFFFFu);
  EXPECT_EQ(fresh.ScrollDelay(), 50u);
  EXPECT_EQ(fresh.ScrollAmount(), 1);
  EXPECT_FALSE(fresh.Active());
  EXPECT_EQ(fresh.BorderStyle(), TBorderStyle::bsSingle);
  EXPECT_TRUE(::GetWindowLongA(fresh.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(ClassNameOf(fresh.Handle()), "TMarquee");
}

TEST_F(MarqueeTest, TextEntersFromTheRightAndMovesLeftByTheStep) {
  marquee->SetScrollAmount(3);
  marquee->SetScrollText(u"Wide text");
  EXPECT_EQ(marquee->CurrentOutput(), u"") << "stopped: nothing on screen";
  marquee->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return LeftmostTextColumn() >= 0; }));
  const int first = LeftmostTextColumn();
  EXPECT_GT(first, 250) << "enters at the right edge";
  ASSERT_TRUE(PumpUntil([&] {
    int x = LeftmostTextColumn();
    return x >= 0 && x < first - 20;
  }));
  const int later = LeftmostTextColumn();
  EXPECT_EQ((first - later) % 3, 0) << first << " -> " << later;
  EXPECT_EQ(marquee->CurrentOutput().substr(0, 1), u"W");
}

TEST_F(MarqueeTest, CharactersTheFontLacksAreDrawnByTheSystemsFallback) {
  const auto drawn = [&](const std::u16string& text) {
    marquee->SetScrollText(text);
    Pump(100);
    return CaptureScreen(BoundsOf(marquee->Handle()));
  };
  // Chinese in a font without it (Tahoma has it linked), against characters that no font has.
  platform::FontSpec font = marquee->Font();
  font.name = "MS Sans Serif";
  marquee->SetFont(font);
  EXPECT_NE(drawn(u"\u4E2D\u6587\u5B57"), drawn(u"\uE000\uE001\uE002"));
}

TEST_F(MarqueeTest, DisablingKeepsTheFrameAndEnablingContinuesFromIt) {
  marquee->SetScrollText(u"Paused text");
  marquee->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] {
    int x = LeftmostTextColumn();
    return x >= 0 && x < 200;
  }));
  marquee->SetEnabled(false);
  const int paused = LeftmostTextColumn();
  const std::u16string shown = marquee->CurrentOutput();
  EXPECT_EQ(shown, u"") << "the timer is stopped";
  Pump(150);
  EXPECT_EQ(LeftmostTextColumn(), paused);
  marquee->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return LeftmostTextColumn() != paused; }));
  const int resumed = LeftmostTextColumn();
  EXPECT_LT(resumed, paused);
  EXPECT_GT(resumed, paused - 20) << "continued, not restarted from the right edge";
}

TEST_F(MarqueeTest, TheSameTextAgainChangesNothingAndANewTextRestartsFromTheRight) {
  marquee->SetScrollText(u"Same text");
  marquee->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] {
    int x = LeftmostTextColumn();
    return x >= 0 && x < 150;
  }));
  marquee->SetScrollText(u"Same text");
  Pump(50);
  EXPECT_LT(LeftmostTextColumn(), 150);
  marquee->SetScrollText(u"Other text");
  ASSERT_TRUE(PumpUntil([&] { return LeftmostTextColumn() > 250; }));
  EXPECT_EQ(marquee->CurrentOutput().substr(0, 1), u"O");
}

TEST_F(MarqueeTest, ActiveOffAndOnStartsOverFromTheRightEdge) {
  marquee->SetScrollText(u"Again");
  marquee->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] {
    int x = LeftmostTextColumn();
    return x >= 0 && x < 150;
  }));
  marquee->SetActive(false);
  EXPECT_FALSE(marquee->TimerRunning());
  marquee->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return LeftmostTextColumn() > 250; }));
}

TEST_F(MarqueeTest, AControlCharacterAsReplacementIsRefusedWithAMessage) {
  ASSERT_TRUE(marquee->SetNewControlCode('_'));
  MessageBoxAnswer answer;
  EXPECT_FALSE(marquee->SetNewControlCode('\t'));
  EXPECT_EQ(answer.Text(), "You cannot enter characters which are control codes themselves!");
  EXPECT_EQ(marquee->NewControlCode(), '_');
  EXPECT_TRUE(marquee->SetNewControlCode('\0'));
  marquee->SetScrollText(u"a\tb");
  EXPECT_EQ(marquee->ScrollText(), u"a b");
}

TEST_F(MarqueeTest, AutoSizeHeightKeepsTheClientOneTextLinePlusTwoHigh) {
  marquee->SetScrollText(u"Height");
  marquee->SetAutoSizeHeight(true);
  HDC dc = ::GetDC(marquee->Handle());
  platform::UniqueFont font = platform::CreateFontFrom(marquee->Font());
  HGDIOBJ previous = ::SelectObject(dc, font.get());
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, "Height", 6, &extent);
  ::SelectObject(dc, previous);
  ::ReleaseDC(marquee->Handle(), dc);
  RECT client{};
  ::GetClientRect(marquee->Handle(), &client);
  EXPECT_EQ(client.bottom, extent.cy + 2);
  marquee->SetBounds(0, 0, 300, 50);
  ::GetClientRect(marquee->Handle(), &client);
  EXPECT_EQ(client.bottom, extent.cy + 2) << "a new size keeps the fitted height";
}

TEST_F(MarqueeTest, BorderStyleRecreatesTheWindowWithTheNewBorder) {
  marquee->SetBorderStyle(TBorderStyle::bsSingle);
  EXPECT_TRUE(::GetWindowLongA(marquee->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  marquee->SetCtl3D(false);
  EXPECT_TRUE(::GetWindowLongA(marquee->Handle(), GWL_STYLE) & WS_BORDER);
  marquee->SetBorderStyle(TBorderStyle::bsNone);
  EXPECT_FALSE(::GetWindowLongA(marquee->Handle(), GWL_STYLE) & WS_BORDER);
  RECT bounds{};
  ::GetWindowRect(marquee->Handle(), &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 300) << "keeps its place and size";
}

TEST_F(MarqueeTest, ClicksAndDoubleClicksAreReported) {
  int clicks = 0, doubleClicks = 0;
  marquee->OnClick = [&] { ++clicks; };
  marquee->OnDblClick = [&] { ++doubleClicks; };
  ::SendMessageA(marquee->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(::GetCapture(), marquee->Handle()) << "captures while the button is held";
  ::SendMessageA(marquee->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ::SendMessageA(marquee->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(marquee->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(::GetCapture(), nullptr);
}

}  // namespace
