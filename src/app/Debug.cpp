#include "app/Debug.h"

#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/SystemError.h"

namespace {
constexpr int kMemoId = 1;
}

TDebugForm::TDebugForm(HWND owner) {
  platform::WindowPlacement placement;
  placement.exStyle = WS_EX_TOOLWINDOW;
  placement.style = WS_OVERLAPPEDWINDOW & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  // On the owner's monitor's density; the position is the primary monitor's, at any density.
  const int dpi = platform::DpiOf(owner);
  placement.x = 229;
  placement.y = 194;
  placement.width = platform::Scaled(480, dpi);
  placement.height = platform::Scaled(239, dpi);
  placement.parent = owner;
  CreateHandle({.name = "TDebugForm", .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
               "Debug", placement);

  font_ = platform::CreatePointFont("MS Sans Serif", 8, platform::DpiOf(Handle()));
  RECT client{};
  ::GetClientRect(Handle(), &client);
  Memo1 = platform::CheckHandle(
      ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                        WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                            ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL,
                        0, 0, client.right, client.bottom, Handle(),
                        reinterpret_cast<HMENU>(kMemoId), platform::ModuleInstance(), nullptr));
  ::SendMessageA(Memo1, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  // The log has no line limit; an edit control's default is 32 K characters.
  ::SendMessageA(Memo1, EM_SETLIMITTEXT, 0, 0);
}

void TDebugForm::AddLine(const std::string& line) {
  if (!::IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  const auto length = ::GetWindowTextLengthA(Memo1);
  ::SendMessageA(Memo1, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
  const std::string text = line + "\r\n";
  ::SendMessageA(Memo1, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT TDebugForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (Memo1) ::MoveWindow(Memo1, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_CLOSE: ::ShowWindow(Handle(), SW_HIDE); return 0;
    default: return DefaultHandling(message, wParam, lParam);
  }
}
