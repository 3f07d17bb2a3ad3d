// Where the bar is, how big it is and how its parts are laid out.

#include "app/Ticker.h"

namespace {
constexpr int kMinimumWidth = 77;
}

// The marquee fills the bar; until the placement rules size the bar, its height follows the
// marquee's fitted height.
void TForm1::FormResize() {
  if (!Marquee1) return;
  RECT client{};
  ::GetClientRect(Handle(), &client);
  Marquee1->SetBounds(0, 0, client.right, client.bottom);
  RECT marquee{};
  ::GetWindowRect(Marquee1->Handle(), &marquee);
  const int height = marquee.bottom - marquee.top;
  if (height != client.bottom) {
    RECT bar{};
    ::GetWindowRect(Handle(), &bar);
    ::SetWindowPos(Handle(), nullptr, 0, 0, bar.right - bar.left, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  }
}

// The frame is drawn by the placement rules; until they are in place Frame is only kept.
void TForm1::SetFrame(bool) {}

void TForm1::OnGetMinMaxInfo(MINMAXINFO& limits) {
  limits.ptMinTrackSize.x = kMinimumWidth;
}

LRESULT TForm1::OnWindowPosChanging(WPARAM wParam, LPARAM lParam) {
  auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
  if (!(position->flags & SWP_NOSIZE) && position->cx < kMinimumWidth) position->cx = kMinimumWidth;
  return DefaultHandling(WM_WINDOWPOSCHANGING, wParam, lParam);
}
