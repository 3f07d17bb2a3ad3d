// The About box: a sunken panel with the icon and the program's texts in bold, the web address
// as a link, and OK, which Enter and Escape press.

#include "dialogs/About.h"

#include <algorithm>

#include "core/program/AboutRules.h"
#include "platform/Dpi.h"
#include "platform/Monitors.h"

namespace {

// The panel, in the box's client coordinates; the texts are placed relative to it.
constexpr RECT kPanel{8, 8, 8 + 281, 8 + 161};
constexpr int kCentredLeft = 2;
constexpr int kCentredWidth = 277;
constexpr COLORREF kLinkColor = RGB(0, 0, 255);

platform::UniqueFont BoldVariant(HFONT font) {
  LOGFONTA bold{};
  ::GetObjectA(font, sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  return platform::UniqueFont(::CreateFontIndirectA(&bold));
}

// The height the text takes, broken at words to the width; both at 96 DPI, the text measured
// at `dpi` and rounded up, so that its last line is never cut.
int TextHeight(HFONT font, const std::string& text, int width, int dpi) {
  const platform::ScopedGetDc dc(nullptr);
  const platform::ScopedSelectObject select(dc.get(), font);
  RECT bounds{0, 0, platform::Scaled(width, dpi), 0};
  ::DrawTextA(dc.get(), text.c_str(), -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return (bounds.bottom * core::kUnscaledDpi + dpi - 1) / dpi;
}

// A static text with a style of its own: centred, or telling its clicks.
class StaticText : public platform::Control {
 public:
  StaticText(HWND parent, const std::string& text, const platform::ControlBounds& bounds,
             DWORD style, UINT id, HFONT font)
      : Control(parent, "STATIC", text, style | SS_NOPREFIX, 0, bounds, id, font) {}
};

}  // namespace

TAboutBox::TAboutBox(BarOperations& bar)
    : bar_(bar),
      dpi_(platform::DpiOf(bar.BarWindow())),
      font_(platform::CreateDialogFont(dpi_)),
      boldFont_(BoldVariant(font_.get())) {
  const AboutTexts texts = bar.About();
  platform::WindowPlacement placement =
      platform::FixedDialogPlacement(kClientWidth, kClientHeight, dpi_);
  // Created on the bar's monitor, so that the controls take its density.
  const core::Rect barBounds = platform::WindowBounds(bar.BarWindow());
  placement.x = barBounds.left;
  placement.y = barBounds.top;
  placement.parent = bar.BarWindow();
  CreateHandle({.name = "TAboutBox", .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
               "About " + texts.product, placement);
  const int iconSize = platform::Scaled(32, dpi_);
  icon_.reset(
      static_cast<HICON>(::LoadImageA(platform::ModuleInstance(), MAKEINTRESOURCEA(texts.iconId),
                                      IMAGE_ICON, iconSize, iconSize, 0)));
  CreateControls(texts);
  Place();
}

void TAboutBox::CreateControls(const AboutTexts& texts) {
  HFONT font = boldFont_.get();
  // A text wrapped to more lines than its room pushes the next ones down, so that none covers
  // another in a wide font.
  int nextTop = 0;
  const auto text = [&](const std::string& caption, int x, int y, int width, DWORD style,
                        UINT id = 0xFFFF) {
    const int height = TextHeight(font, caption, width, dpi_);
    y = std::max(y, nextTop);
    nextTop = y + height;
    return StaticText(Handle(), caption, {kPanel.left + x, kPanel.top + y, width, height}, style,
                      id, font)
        .Handle();
  };
  const int right = kPanel.right - kPanel.left - kCentredLeft;
  text(texts.product, 120, 16, right - 120, SS_LEFT);
  text("Version " + texts.version, 120, 40, right - 120, SS_LEFT);
  text(texts.notice, kCentredLeft, 72, kCentredWidth, SS_CENTER);
  text(texts.company, kCentredLeft, 88, kCentredWidth, SS_CENTER);
  address_ = texts.webAddress;
  link_ = text(address_, kCentredLeft, 116, kCentredWidth, SS_CENTER | SS_NOTIFY, IDC_ABOUT_LINK);
  ok_ =
      std::make_unique<platform::Button>(Handle(), "OK", platform::ControlBounds{115, 182, 75, 25},
                                         IDOK, font_.get(), platform::ButtonRole::Default);
}

void TAboutBox::Place() {
  const core::Rect bar = platform::WindowBounds(bar_.BarWindow());
  const core::Rect box = platform::WindowBounds(Handle());
  const std::vector<core::Rect> monitors = platform::MonitorBounds();
  const core::Rect monitor = monitors[core::MonitorIndexAt(monitors, {bar.left, bar.top})];
  const core::Point at =
      core::AboutBoxPlace(bar, bar_.DockEdge(), box.Width(), box.Height(), monitor);
  ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAboutBox::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(Handle(), &paint);
  const auto scaled = [this](LONG pixels) { return platform::Scaled(pixels, dpi_); };
  RECT panel{scaled(kPanel.left), scaled(kPanel.top), scaled(kPanel.right), scaled(kPanel.bottom)};
  ::DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT);
  const int iconSize = scaled(32);
  ::DrawIconEx(dc, scaled(kPanel.left + 48), scaled(kPanel.top + 20), icon_.get(), iconSize,
               iconSize, 0, nullptr, DI_NORMAL);
  ::EndPaint(Handle(), &paint);
}

void TAboutBox::UrlLabelClick() {
  bar_.OpenDocument(address_);
}

LRESULT TAboutBox::OnLinkColor(HDC dc) {
  ::SetTextColor(dc, kLinkColor);
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

// OK is both the default and the cancel button.
bool TAboutBox::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
  ok_->Click();
  return true;
}

LRESULT TAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndModal(LOWORD(wParam));
      if (LOWORD(wParam) == IDC_ABOUT_LINK && HIWORD(wParam) == STN_CLICKED) UrlLabelClick();
      return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == link_)
        return OnLinkColor(reinterpret_cast<HDC>(wParam));
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == link_) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    default: break;
  }
  return ModalForm::HandleMessage(message, wParam, lParam);
}
