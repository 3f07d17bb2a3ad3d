// Clicking a headline opens its story in the user's browser: a feed's item link, or the first
// web address written in a line of plain text.

#include "app/Ticker.h"
#include "core/feed/LinkHitTest.h"
#include "core/web/PlainUri.h"
#include "core/web/WebSource.h"
#include "platform/Monitors.h"

void TForm1::CreateLinkTimer() {
  links_.TimerOpenLink.SetOnTimer([this] { TimerOpenLinkTimer(); });
}

// Where the button went down and the story under it then: by the time the message is handled
// the cursor, and the scrolling text under it, may have moved on.
void TForm1::LinkPress() {
  links_.press = platform::MessageCursorPosition();
  links_.pressedLink = LinkAt(links_.press);
  links_.pressed = true;
}

void TForm1::LinkRelease() {
  const bool click = links_.pressed && !links_.doubleClicked;
  links_.pressed = false;
  links_.doubleClicked = false;
  std::string link = std::move(links_.pressedLink);
  links_.pressedLink.clear();
  if (!click || link.empty()) return;
  const core::Point release = platform::MessageCursorPosition();
  if (core::IsDrag(links_.press.x, links_.press.y, release.x, release.y,
                   ::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG))) {
    return;
  }
  links_.pendingLink = std::move(link);
  links_.TimerOpenLink.SetInterval(::GetDoubleClickTime());
  links_.TimerOpenLink.SetEnabled(true);
}

void TForm1::LinkDoubleClick() {
  links_.doubleClicked = true;
  links_.TimerOpenLink.SetEnabled(false);
  links_.pendingLink.clear();
}

void TForm1::TimerOpenLinkTimer() {
  links_.TimerOpenLink.SetEnabled(false);
  const std::string link = std::move(links_.pendingLink);
  links_.pendingLink.clear();
  if (link.empty()) return;
  const std::string uri = core::PlainUri(link);
  Log("Open link: " + core::AddressForLog(uri));
  OpenWithShell(uri);
}

std::string TForm1::LinkAt(core::Point screen) {
  return std::string(ShownLinkAt(screen));
}

// Looked up in the table made with the text: the cursor's moves never scan the text.
std::string_view TForm1::ShownLinkAt(core::Point screen) {
  const core::ItemTable& links = ShownItems();
  if (values_.Vertical) {
    POINT at{screen.x, screen.y};
    ::ScreenToClient(Handle(), &at);
    const std::optional<std::u16string_view> line = VerticalLineAt(at.x, at.y);
    return line ? links.OfPiece(*line) : std::string_view();
  }
  POINT at{screen.x, screen.y};
  ::ScreenToClient(Marquee1->Handle(), &at);
  RECT client{};
  ::GetClientRect(Marquee1->Handle(), &client);
  if (!::PtInRect(&client, at)) return {};
  const std::optional<std::size_t> position = Marquee1->TextPositionAt(at.x);
  // The marquee shows the shown lines joined, unless it still shows the start-up text.
  if (!position || !MarqueeShowsShownLines()) return {};
  return links.AtPosition(*position);
}

bool TForm1::OnSetCursor(LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  const std::optional<core::Point> cursor = platform::CursorPosition();
  if (!cursor || ShownLinkAt(*cursor).empty()) return false;
  ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
  return true;
}
