#include "platform/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <optional>

#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/SystemError.h"
#include "platform/Window.h"

namespace platform {

namespace {

// The id of controls that never notify their parent.
constexpr UINT kNoId = 0xFFFF;

// Every control but a continuing radio button starts a group of its own, so that a radio
// group ends at the next other control and the arrow keys stay within the radio buttons.
constexpr DWORD kOwnGroup = WS_GROUP;

HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style,
                 DWORD exStyle, const ControlBounds& b, UINT id, HFONT font) {
  const int dpi = DpiOf(parent);
  HWND hwnd = CheckHandle(::CreateWindowExA(
      exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, Scaled(b.x, dpi),
      Scaled(b.y, dpi), Scaled(b.width, dpi), Scaled(b.height, dpi), parent,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr));
  ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

DWORD StyleOf(HWND hwnd) {
  return static_cast<DWORD>(::GetWindowLongPtrA(hwnd, GWL_STYLE));
}

void SetStyleBit(HWND hwnd, DWORD bit, bool on) {
  const DWORD style = StyleOf(hwnd);
  const DWORD changed = on ? (style | bit) : (style & ~bit);
  if (changed != style) ::SetWindowLongPtrA(hwnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
}

bool IsRadioButton(HWND hwnd) {
  char className[16] = {};
  ::GetClassNameA(hwnd, className, sizeof className);
  const DWORD type = StyleOf(hwnd) & BS_TYPEMASK;
  return ::lstrcmpiA(className, "Button") == 0 &&
         (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

std::string WindowText(HWND hwnd) {
  std::string text(static_cast<size_t>(::GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::int32_t Clamp(std::int64_t value, std::int32_t bound1, std::int32_t bound2) {
  // The up-down control allows a reversed range; the clamp does not care about the order.
  const std::int64_t low = std::min(bound1, bound2);
  const std::int64_t high = std::max(bound1, bound2);
  return static_cast<std::int32_t>(std::clamp(value, low, high));
}

// A decimal number with an optional sign, spaces around it allowed; digits beyond the 64-bit
// range saturate.
std::optional<std::int64_t> ParseDecimal(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const char* begin = text.data() + first;
  const char* end = text.data() + text.find_last_not_of(" \t") + 1;
  const bool negative = *begin == '-';
  if (negative || *begin == '+') ++begin;
  std::uint64_t magnitude = 0;
  const auto [stop, error] = std::from_chars(begin, end, magnitude);
  if (stop != end || error == std::errc::invalid_argument) return std::nullopt;
  constexpr auto kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (error == std::errc::result_out_of_range) magnitude = kLimit;
  const auto value = static_cast<std::int64_t>(std::min(magnitude, kLimit));
  return negative ? -value : value;
}

}  // namespace

UniqueFont CreateDialogFont(int dpi) {
  const LOGFONTA message = MessageFontAt(dpi > 0 ? dpi : SystemDpi());
  if (HFONT font = ::CreateFontIndirectA(&message)) return UniqueFont(font);
  return CreatePointFont("MS Shell Dlg", 8, dpi);
}

Control::Control(HWND parent, const char* className, const std::string& text, DWORD style,
                 DWORD exStyle, const ControlBounds& bounds, UINT id, HFONT font)
    : hwnd_(CreateChild(parent, className, text, style, exStyle, bounds, id, font)), id_(id) {}

void Control::SetEnabled(bool enabled) {
  ::EnableWindow(hwnd_, enabled);
}

bool Control::Enabled() const {
  return ::IsWindowEnabled(hwnd_) != 0;
}

void Control::SetVisible(bool visible) {
  ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void Control::SetText(const std::string& text) {
  ::SetWindowTextA(hwnd_, text.c_str());
}

std::string Control::Text() const {
  return WindowText(hwnd_);
}

void Control::SetFocus() {
  ::SetFocus(hwnd_);
}

Button::Button(HWND parent, const std::string& caption, const ControlBounds& bounds, UINT id,
               HFONT font, ButtonRole role)
    : Control(
          parent, "BUTTON", caption,
          kOwnGroup | WS_TABSTOP | (role == ButtonRole::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
          0, bounds, id, font) {}

void Button::Click() {
  ::SendMessageA(Handle(), BM_CLICK, 0, 0);
}

CheckBox::CheckBox(HWND parent, const std::string& caption, const ControlBounds& bounds, UINT id,
                   HFONT font)
    : Control(parent, "BUTTON", caption, kOwnGroup | WS_TABSTOP | BS_AUTOCHECKBOX, 0, bounds, id,
              font) {}

bool CheckBox::Checked() const {
  return ::SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
  ::SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The tab stop starts on the first button of a group and then follows the checked one, so
// that the Tab key lands on the current choice.
RadioButton::RadioButton(HWND parent, const std::string& caption, const ControlBounds& bounds,
                         UINT id, HFONT font, RadioGroup group)
    : Control(parent, "BUTTON", caption,
              BS_AUTORADIOBUTTON | (group == RadioGroup::Starts ? WS_GROUP | WS_TABSTOP : 0), 0,
              bounds, id, font) {}

bool RadioButton::Checked() const {
  return ::SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::SetChecked(bool checked) {
  HWND self = Handle();
  if (checked) {
    // The group runs from the nearest sibling at or before this one that starts a group to the
    // next one that starts another; hidden and disabled buttons count too.
    HWND first = self;
    while (!(StyleOf(first) & WS_GROUP)) {
      HWND previous = ::GetWindow(first, GW_HWNDPREV);
      if (!previous) break;
      first = previous;
    }
    for (HWND sibling = first; sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
      if (sibling != first && (StyleOf(sibling) & WS_GROUP)) break;
      if (sibling == self || !IsRadioButton(sibling)) continue;
      ::SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
      SetStyleBit(sibling, WS_TABSTOP, false);
    }
    SetStyleBit(self, WS_TABSTOP, true);
  }
  ::SendMessageA(self, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

Label::Label(HWND parent, const std::string& caption, const ControlBounds& bounds, HFONT font)
    : Control(parent, "STATIC", caption, kOwnGroup | SS_LEFT, 0, bounds, kNoId, font) {}

GroupBox::GroupBox(HWND parent, const std::string& caption, const ControlBounds& bounds, HFONT font)
    : Control(parent, "BUTTON", caption, kOwnGroup | BS_GROUPBOX, 0, bounds, kNoId, font) {}

Edit::Edit(HWND parent, const ControlBounds& bounds, UINT id, HFONT font, EditLines lines)
    : Control(parent, "EDIT", "",
              kOwnGroup | WS_TABSTOP |
                  (lines == EditLines::Multi ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL
                                             : ES_AUTOHSCROLL),
              WS_EX_CLIENTEDGE, bounds, id, font) {}

SpinField::SpinField(HWND parent, const ControlBounds& bounds, UINT id, HFONT font,
                     std::int32_t minimum, std::int32_t maximum)
    : field_(CreateChild(parent, "EDIT", std::to_string(Clamp(minimum, minimum, maximum)),
                         kOwnGroup | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, bounds, id,
                         font)),
      upDown_(
          CheckHandle(::CreateWindowExA(0, UPDOWN_CLASSA, nullptr,
                                        WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                                            UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                        0, 0, 0, 0, parent, nullptr, ModuleInstance(), nullptr))),
      id_(id),
      minimum_(minimum),
      maximum_(maximum) {
  // Aligned right, the buttons take their width from the field, inside the given bounds.
  ::SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field_), 0);
  SetRange(minimum, maximum);
  ::SendMessageA(upDown_, UDM_SETPOS32, 0, Clamp(minimum, minimum, maximum));
}

void SpinField::SetRange(std::int32_t minimum, std::int32_t maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  // Digits only, unless the range allows a minus sign.
  SetStyleBit(field_, ES_NUMBER, std::min(minimum, maximum) >= 0);
  ::SendMessageA(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

std::int32_t SpinField::Value() const {
  const auto value = ParseDecimal(WindowText(field_));
  return value ? Clamp(*value, minimum_, maximum_) : minimum_;
}

void SpinField::SetValue(std::int32_t value) {
  const std::int32_t shown = Clamp(value, minimum_, maximum_);
  const std::string text = std::to_string(shown);
  // Only a change of the text notifies the parent.
  if (WindowText(field_) != text) ::SetWindowTextA(field_, text.c_str());
  ::SendMessageA(upDown_, UDM_SETPOS32, 0, shown);
}

void SpinField::SetEnabled(bool enabled) {
  ::EnableWindow(field_, enabled);
  ::EnableWindow(upDown_, enabled);
}

bool SpinField::Enabled() const {
  return ::IsWindowEnabled(field_) != 0;
}

void SpinField::SetFocus() {
  ::SetFocus(field_);
}

TabControl::TabControl(HWND parent, const ControlBounds& bounds, UINT id, HFONT font, int tabWidth)
    : Control(parent, WC_TABCONTROLA, "", kOwnGroup | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH,
              0, bounds, id, font) {
  const int width = Scaled(tabWidth, DpiOf(parent));
  // Keep the height the font gave the tabs: what a height of 0 means is not documented.
  const auto previous =
      static_cast<DWORD>(::SendMessageA(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(width, 0)));
  if (HIWORD(previous)) {
    ::SendMessageA(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(width, HIWORD(previous)));
  }
}

namespace {

// The tab item that shows a page: one per visible page before it.
int ItemOf(const std::vector<bool>& visible, int page) {
  return static_cast<int>(std::count(visible.begin(), visible.begin() + page, true));
}

void InsertItem(HWND tabs, int item, const std::string& caption) {
  TCITEMA tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<char*>(caption.c_str());  // only read
  ::SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&tab));
}

}  // namespace

void TabControl::AddTab(const std::string& caption) {
  captions_.push_back(caption);
  visible_.push_back(true);
  InsertItem(Handle(), ItemOf(visible_, static_cast<int>(captions_.size()) - 1), caption);
}

void TabControl::SetTabVisible(int page, bool visible) {
  if (page < 0 || page >= static_cast<int>(visible_.size()) || visible_[page] == visible) return;
  const int selected = Selected();
  visible_[page] = visible;
  if (visible) {
    InsertItem(Handle(), ItemOf(visible_, page), captions_[page]);
  } else {
    ::SendMessageA(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(ItemOf(visible_, page)), 0);
  }
  // The system's choice after a removal differs between versions: keep the chosen page, or
  // choose the first visible one when it was the hidden one.
  if (selected >= 0 && visible_[selected]) {
    Select(selected);
  } else {
    const auto first = std::find(visible_.begin(), visible_.end(), true);
    if (first != visible_.end()) Select(static_cast<int>(first - visible_.begin()));
  }
}

bool TabControl::TabVisible(int page) const {
  return page >= 0 && page < static_cast<int>(visible_.size()) && visible_[page];
}

int TabControl::Selected() const {
  const auto item = static_cast<int>(::SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
  if (item < 0) return -1;
  int seen = -1;
  for (int page = 0; page < static_cast<int>(visible_.size()); ++page) {
    if (visible_[page] && ++seen == item) return page;
  }
  return -1;
}

void TabControl::Select(int page) {
  if (!TabVisible(page)) return;
  ::SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(ItemOf(visible_, page)), 0);
}

RECT TabControl::PageArea() const {
  RECT area{};
  ::GetWindowRect(Handle(), &area);
  ::MapWindowPoints(nullptr, ::GetParent(Handle()), reinterpret_cast<POINT*>(&area), 2);
  ::SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  // In the units the pages' controls are given in.
  const int dpi = DpiOf(Handle());
  return {core::UnscaledPixels(area.left, dpi), core::UnscaledPixels(area.top, dpi),
          core::UnscaledPixels(area.right, dpi), core::UnscaledPixels(area.bottom, dpi)};
}

namespace {

RECT RectInParent(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// One axis: the start and length of a control between two sides `extent` apart.
struct Span {
  int start;
  int length;
};

Span Place(int extent, int nearDistance, int farDistance, bool nearAnchored, bool farAnchored,
           Span now) {
  if (nearAnchored && farAnchored) return {nearDistance, extent - nearDistance - farDistance};
  if (farAnchored) return {extent - farDistance - now.length, now.length};
  if (nearAnchored) return {nearDistance, now.length};
  return now;
}

}  // namespace

void Anchors::Add(HWND control, unsigned anchors) {
  RECT client{};
  ::GetClientRect(::GetParent(control), &client);
  const RECT rect = RectInParent(control);
  anchored_.push_back(
      {control,
       anchors,
       {rect.left, rect.top, client.right - rect.right, client.bottom - rect.bottom}});
}

void Anchors::ParentResized(int clientWidth, int clientHeight) {
  struct Move {
    HWND control;
    Span x;
    Span y;
  };
  std::vector<Move> moves;
  for (const Anchored& a : anchored_) {
    // A window that is gone would fail the whole batch.
    if (!::IsWindow(a.control)) continue;
    const RECT now = RectInParent(a.control);
    moves.push_back(
        {a.control,
         Place(clientWidth, a.distances.left, a.distances.right, a.anchors & kAnchorLeft,
               a.anchors & kAnchorRight, {now.left, now.right - now.left}),
         Place(clientHeight, a.distances.top, a.distances.bottom, a.anchors & kAnchorTop,
               a.anchors & kAnchorBottom, {now.top, now.bottom - now.top})});
  }
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  HDWP batch = ::BeginDeferWindowPos(static_cast<int>(moves.size()));
  for (const Move& m : moves) {
    if (!batch) break;
    batch = ::DeferWindowPos(batch, m.control, nullptr, m.x.start, m.y.start,
                             std::max(m.x.length, 0), std::max(m.y.length, 0), kFlags);
  }
  if (batch && ::EndDeferWindowPos(batch)) return;
  // A failed batch has been dropped whole: move one at a time.
  for (const Move& m : moves) {
    ::SetWindowPos(m.control, nullptr, m.x.start, m.y.start, std::max(m.x.length, 0),
                   std::max(m.y.length, 0), kFlags);
  }
}

}  // namespace platform
