#include "components/Marquee.h"

#include <windowsx.h>

#include <algorithm>

#include "core/marquee/MarqueeText.h"
#include "platform/Application.h"
#include "platform/DcMeasurer.h"
#include "platform/Dpi.h"
#include "platform/SystemError.h"

namespace {

using core::MarqueePrepare;
using core::MarqueeRestart;

constexpr int kCreationWidth = 217;
constexpr int kCreationHeight = 21;

}  // namespace

TMarquee::TMarquee(HWND parent) : parent_(parent) {
  platform::ScopedGetDc screen(nullptr);
  frameDc_.reset(platform::CheckHandle(::CreateCompatibleDC(screen.get())));
  ::SetBkMode(frameDc_.get(), TRANSPARENT);
  colorBrush_.reset(::CreateSolidBrush(platform::ToColorRef(color_)));
  SetFont(font_);
  timer_.SetOnTimer([this] { TimerTick(); });
  CreateControlWindow({0, 0, kCreationWidth, kCreationHeight});
}

TMarquee::~TMarquee() {
  destroying_ = true;
  timer_.SetEnabled(false);
  timer_.SetOnTimer(nullptr);
  if (originalBitmap_) ::SelectObject(frameDc_.get(), originalBitmap_);
  if (originalFont_) ::SelectObject(frameDc_.get(), originalFont_);
  FrameBitmap.reset();
  DestroyHandle();
}

void TMarquee::CreateControlWindow(RECT bounds) {
  platform::WindowPlacement placement;
  placement.style = WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0);
  if (borderStyle_ == TBorderStyle::bsSingle) {
    if (ctl3d_) {
      placement.exStyle = WS_EX_CLIENTEDGE;
    } else {
      placement.style |= WS_BORDER;
    }
  }
  placement.x = bounds.left;
  placement.y = bounds.top;
  placement.width = bounds.right - bounds.left;
  placement.height = bounds.bottom - bounds.top;
  placement.parent = parent_;
  // Its own device context: a step draws many times a second, and fetching a common one
  // each time would cost more than the drawing.
  CreateHandle({.name = "TMarquee", .style = CS_DBLCLKS | CS_OWNDC}, "", placement);
  if (!enabled_) ::EnableWindow(Handle(), FALSE);
  animation_.SetClientWidth(ClientWidth());
}

int TMarquee::ClientWidth() const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  return client.right;
}

int TMarquee::ClientHeight() const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  return client.bottom;
}

int TMarquee::BandTop() const {
  return core::BandTop(
      ClientHeight(), bandHeight_,
      autoCenter_ ? core::MarqueeCentering::kCentered : core::MarqueeCentering::kTop);
}

void TMarquee::UpdateTimer() {
  timer_.SetEnabled(active_ && enabled_ && visible_ && !animation_.Text().empty());
}

void TMarquee::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  if (!active_) animation_.EndRun();
  UpdateTimer();
  if (!timer_.Enabled()) Redraw();
}

void TMarquee::SetAutoCenter(bool autoCenter) {
  if (autoCenter_ == autoCenter) return;
  autoCenter_ = autoCenter;
  Redraw();
}

void TMarquee::SetAutoSizeHeight(bool autoSize) {
  if (autoSizeHeight_ == autoSize) return;
  autoSizeHeight_ = autoSize;
  if (autoSizeHeight_) FitHeight();
}

void TMarquee::SetBorderStyle(TBorderStyle style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  RecreateWindow();
}

// The border is a window style fixed at creation: a new border needs a new window, in the
// same place.
void TMarquee::RecreateWindow() {
  RECT bounds{};
  ::GetWindowRect(Handle(), &bounds);
  ::MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&bounds), 2);
  DestroyHandle();
  CreateControlWindow(bounds);
}

void TMarquee::SetCtl3D(bool ctl3d) {
  if (ctl3d_ == ctl3d) return;
  ctl3d_ = ctl3d;
  if (borderStyle_ == TBorderStyle::bsSingle) RecreateWindow();
}

void TMarquee::SetContinuous(bool continuous) {
  if (animation_.Continuous() == continuous) return;
  animation_.SetContinuous(continuous);
  Animate(MarqueeRestart::kRestart, MarqueePrepare::kPrepare);
}

void TMarquee::SetColor(std::uint32_t color) {
  if (color_ == color) return;
  color_ = color;
  colorBrush_.reset(::CreateSolidBrush(platform::ToColorRef(color_)));
  if (!timer_.Enabled()) {
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
    return;
  }
  platform::ScopedGetDc dc(Handle());
  FillClient(dc.get());
}

std::u16string TMarquee::CurrentOutput() const {
  return std::u16string(animation_.CurrentOutput(timer_.Enabled() ? core::MarqueeTimer::kRunning
                                                                  : core::MarqueeTimer::kStopped));
}

void TMarquee::SetEnabled(bool enabled) {
  if (enabled_ == enabled || destroying_) return;
  enabled_ = enabled;
  // Started is kept: disabling pauses on the current frame, enabling continues from it.
  UpdateTimer();
  ::EnableWindow(Handle(), enabled_);
}

void TMarquee::SetFont(const platform::FontSpec& font) {
  if (destroying_) return;
  font_ = font;
  // At the density of the monitor the bar is on, which the bar follows when it moves.
  platform::UniqueFont newFont = platform::CreateFontFrom(font_, platform::DpiOf(parent_));
  HGDIOBJ previous = ::SelectObject(frameDc_.get(), newFont.get());
  if (!originalFont_) originalFont_ = previous;
  fontHandle_ = std::move(newFont);
  ::SetTextColor(frameDc_.get(), platform::ToColorRef(font_.color));
  animation_.InvalidateMeasures();
  shapedFrame_.Forget();
  path_ = platform::PathFor(frameDc_.get(), animation_.Text());
  if (!Handle()) return;
  if (autoSizeHeight_) FitHeight();
  Redraw();
}

bool TMarquee::SetNewControlCode(char code) {
  if (!animation_.SetNewControlCode(code)) {
    ::MessageBoxA(Handle(), "You cannot enter characters which are control codes themselves!",
                  platform::ProgramName().c_str(), MB_OK | MB_ICONERROR);
    return false;
  }
  return true;
}

void TMarquee::SetScrollAmount(int amount) {
  animation_.SetScrollAmount(core::ToScrollAmount(amount));
}

void TMarquee::SetScrollDelay(UINT delayMs) {
  timer_.SetInterval(delayMs);
}

void TMarquee::SetScrollStyle(TScrollStyle style) {
  if (animation_.ScrollStyle() == style) return;
  animation_.SetScrollStyle(style);
  if (!timer_.Enabled()) return;
  timer_.SetEnabled(false);
  Animate(MarqueeRestart::kRestart, MarqueePrepare::kKeepBand);
  timer_.SetEnabled(true);
}

bool TMarquee::TakeScrollText(std::u16string text) {
  if (text == animation_.Text()) return false;
  const bool wasActive = active_;
  SetActive(false);
  const bool changed = animation_.TakeText(std::move(text)).storedChanged;
  if (changed) ++textGeneration_;
  path_ = platform::PathFor(frameDc_.get(), animation_.Text());
  if (autoSizeHeight_) FitHeight();
  SetActive(wasActive);
  // An inactive control shows the new text's still picture.
  if (!wasActive) Redraw();
  return changed;
}

void TMarquee::SetStripControlCodes(bool strip) {
  if (animation_.StripControlCodes() == strip) return;
  animation_.SetStripControlCodes(strip);
  Redraw();
}

void TMarquee::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  ::ShowWindow(Handle(), visible_ ? SW_SHOWNA : SW_HIDE);
  if (!destroying_) UpdateTimer();
}

void TMarquee::SetBounds(int x, int y, int width, int height) {
  ::SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TMarquee::FittedHeight() {
  platform::DcMeasurer measurer(frameDc_.get(), path_);
  const int clientHeight = animation_.FitHeight(
      measurer, core::ScaledPixels(core::kFitHeightMargin, platform::DpiOf(parent_)));
  RECT window{};
  ::GetWindowRect(Handle(), &window);
  return clientHeight + (window.bottom - window.top) - ClientHeight();
}

void TMarquee::FitHeight() {
  RECT window{};
  ::GetWindowRect(Handle(), &window);
  ::SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left, FittedHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void TMarquee::Redraw() {
  if (!Handle()) return;
  if (timer_.Enabled()) {
    Animate(MarqueeRestart::kContinue, MarqueePrepare::kPrepare);
  } else {
    ::InvalidateRect(Handle(), nullptr, FALSE);
  }
}

void TMarquee::TimerTick() {
  if (Busy) return;
  Busy = true;
  try {
    platform::DcMeasurer measurer(frameDc_.get(), path_);
    Draw(animation_.Tick(measurer));
  } catch (...) {
    Busy = false;
    throw;
  }
  Busy = false;
}

void TMarquee::Animate(MarqueeRestart restart, MarqueePrepare prepare) {
  if (!Handle()) return;
  platform::DcMeasurer measurer(frameDc_.get(), path_);
  Draw(animation_.Animate(measurer, restart, prepare));
}

void TMarquee::FillClient(HDC dc) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  ::FillRect(dc, &client, colorBrush_.get());
}

void TMarquee::Draw(const core::MarqueeFrame& frame) {
  // The class keeps its own device context, held for the window's life.
  HDC dc = ::GetDC(Handle());
  if (frame.fillClient) FillClient(dc);
  if (frame.resizeBand || !FrameBitmap) {
    bandWidth_ = ClientWidth();
    bandHeight_ = animation_.BandHeight();
    platform::UniqueBitmap bitmap(
        ::CreateCompatibleBitmap(dc, std::max(bandWidth_, 1), std::max(bandHeight_, 1)));
    HGDIOBJ previous = ::SelectObject(frameDc_.get(), bitmap.get());
    if (!originalBitmap_) originalBitmap_ = previous;
    FrameBitmap = std::move(bitmap);
  }
  RECT band{0, 0, bandWidth_, bandHeight_};
  if (!frame.copyBand || frame.text.empty()) {
    ::FillRect(frameDc_.get(), &band, colorBrush_.get());
    if (!frame.copyBand) return;
  } else {
    // One call fills the band with Color and draws the text over it.
    ::SetBkColor(frameDc_.get(), platform::ToColorRef(color_));
    platform::DrawRun(frameDc_.get(), frame.x, 0, ETO_OPAQUE, &band, frame.text, path_,
                      &shapedFrame_);
  }
  ::BitBlt(dc, 0, BandTop(), bandWidth_, bandHeight_, frameDc_.get(), 0, 0, SRCCOPY);
}

void TMarquee::PaintStillPicture(HDC dc) {
  platform::DcMeasurer measurer(frameDc_.get(), path_);
  const auto still = core::StillPicture(
      measurer, animation_.Text(), ClientWidth(), ClientHeight(),
      autoCenter_ ? core::MarqueeCentering::kCentered : core::MarqueeCentering::kTop);
  FillClient(dc);
  platform::ScopedSelectObject font(dc, fontHandle_.get());
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, platform::ToColorRef(color_));
  ::SetTextColor(dc, platform::ToColorRef(font_.color));
  platform::DrawRun(dc, 0, still.y, 0, nullptr, still.text, path_);
}

// While running, a repaint shows the last frame again; the band itself changes only on ticks.
void TMarquee::PaintRunning(HDC dc) {
  const int top = BandTop();
  RECT client{};
  ::GetClientRect(Handle(), &client);
  RECT above{0, 0, client.right, std::max(0, top)};
  RECT below{0, std::max(0, top + bandHeight_), client.right, client.bottom};
  ::FillRect(dc, &above, colorBrush_.get());
  ::FillRect(dc, &below, colorBrush_.get());
  if (FrameBitmap) {
    ::BitBlt(dc, 0, top, bandWidth_, bandHeight_, frameDc_.get(), 0, 0, SRCCOPY);
  }
}

void TMarquee::OnWindowPosChanged() {
  if (InPosChange || destroying_) return;
  InPosChange = true;
  try {
    animation_.SetClientWidth(ClientWidth());
    if (autoSizeHeight_) FitHeight();
    Redraw();
    if (OnResize) OnResize(*this);
  } catch (...) {
    InPosChange = false;
    throw;
  }
  InPosChange = false;
}

std::optional<std::size_t> TMarquee::TextPositionAt(int x) {
  if (!frameDc_) return std::nullopt;
  platform::DcMeasurer measurer(frameDc_.get(), path_);
  return animation_.TextPositionAt(measurer, x);
}

void TMarquee::OnButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam) {
  ::SetCapture(Handle());
  if (OnMouseDown) OnMouseDown({button, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

void TMarquee::OnButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam) {
  const bool captured = ::GetCapture() == Handle();
  if (captured && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ::ReleaseCapture();
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT client{};
  ::GetClientRect(Handle(), &client);
  if (button == TMouseButton::mbLeft && captured && ::PtInRect(&client, at) && OnClick) OnClick();
  if (OnMouseUp) OnMouseUp({button, wParam, at.x, at.y});
}

LRESULT TMarquee::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // opaque: every pixel is painted by the control itself
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = ::BeginPaint(Handle(), &paint);
      if (timer_.Enabled()) {
        PaintRunning(dc);
      } else {
        PaintStillPicture(dc);
      }
      ::EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      OnWindowPosChanged();
      return result;
    }
    case WM_LBUTTONDOWN: OnButtonDown(TMouseButton::mbLeft, wParam, lParam); return 0;
    case WM_RBUTTONDOWN: OnButtonDown(TMouseButton::mbRight, wParam, lParam); return 0;
    case WM_MBUTTONDOWN: OnButtonDown(TMouseButton::mbMiddle, wParam, lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(TMouseButton::mbLeft, wParam, lParam); return 0;
    case WM_MBUTTONUP: OnButtonUp(TMouseButton::mbMiddle, wParam, lParam); return 0;
    case WM_RBUTTONUP:
      OnButtonUp(TMouseButton::mbRight, wParam, lParam);
      break;  // the default handling raises WM_CONTEXTMENU for the owner's menu
    case WM_LBUTTONDBLCLK:
      ::SetCapture(Handle());
      if (OnDblClick) OnDblClick();
      if (OnMouseDown) {
        OnMouseDown({TMouseButton::mbLeft, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
      return 0;
    case WM_MOUSEMOVE:
      if (OnMouseMove) {
        OnMouseMove({TMouseButton::mbLeft, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
      return 0;
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}
