// Where the bar is, how big it is and how its parts are laid out: the height rule, the layout,
// the frame, the z-order, docking and floating, and the stored placement at start-up.

#include "app/Ticker.h"
#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/Monitors.h"

namespace {

core::StoredPlacement StoredPlacementOf(const core::TickerSettings& values) {
  return {.topLeft = {values.Left, values.Top},
          .bottom = values.Bottom,
          .floating = values.Float,
          .floatLeft = values.FloatLeft,
          .floatTop = values.FloatTop,
          .floatRight = values.FloatRight};
}

}  // namespace

void TForm1::CreateAppBar(std::unique_ptr<AppBarShell> shell) {
  AppBar1 = std::make_unique<TAppBar>(this, std::move(shell));
  // The design values: nothing reaches the shell or the window before Loaded.
  AppBar1->FloatRect = BarBounds();
  AppBar1->SetEdge(TEdge::abeFloat);
  AppBar1->SetAlwaysOnTop(false);
  AppBar1->SetStayOnTopOfFullscreen(false);
  AppBar1->SetDoNotAdjustDesktop(true);
  try {
    AppBar1->Loaded();
  } catch (const std::exception& e) {
    // Without a shell the bar still places itself; the user learns why nothing is reserved.
    ShowMessage(e.what());
  }
}

void TForm1::PlacementStep(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    if (!startingUp_) throw;
    // The bar still runs where it is; the user learns why it is not docked as stored.
    ShowMessage(e.what());
  }
}

void TForm1::PassToAppBar(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!AppBar1) return;
  try {
    AppBar1->AppBarWndProc(message, wParam, lParam);
  } catch (const std::exception& e) {
    // The bar's own handling of the message goes on.
    platform::Window::ShowUnhandledError(e.what());
  }
}

core::Rect TForm1::BarBounds() const {
  return platform::WindowBounds(Handle());
}

bool TForm1::IsFloating() const {
  return !AppBar1 || AppBar1->Edge() == TEdge::abeFloat;
}

int TForm1::Dpi() const {
  return platform::DpiOf(Handle());
}

// Moved to a monitor of another density: the font, the height rule and the layout follow it,
// and a docked bar takes its strip of the new monitor anew at its new height.
void TForm1::OnDpiChanged(const RECT& suggested) {
  ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyFont();
  // The indents of the layout follow the density even where the height stays.
  FormResize();
}

int TForm1::BarHeight() {
  return core::BarHeight({.minimized = minimize_.Minimized,
                          .totallyHide = values_.TotallyHide,
                          .frame = values_.Frame,
                          .marqueeHeight = Marquee1->FittedHeight(),
                          .dpi = Dpi()});
}

LRESULT TForm1::OnWindowPosChanging(WPARAM wParam, LPARAM lParam) {
  auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
  if (!(position->flags & SWP_NOSIZE)) {
    if (Marquee1) position->cy = BarHeight();
    position->cx = std::max(position->cx, core::ScaledPixels(core::kMinimumBarWidth, Dpi()));
  }
  return DefaultHandling(WM_WINDOWPOSCHANGING, wParam, lParam);
}

// The height rule alone decides the height: a sizing border's minimum must not raise it.
void TForm1::OnGetMinMaxInfo(MINMAXINFO& limits) {
  limits.ptMinTrackSize.x = core::ScaledPixels(core::kMinimumBarWidth, Dpi());
  limits.ptMinTrackSize.y = 0;
}

// Asking for a height of 1 lets the height rule give the bar its height.
void TForm1::ApplyHeightRule() {
  ::SetWindowPos(Handle(), nullptr, 0, 0, BarBounds().Width(), 1,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Setting the edge again tells the shell the bar's new height.
void TForm1::Redock() {
  PlacementStep([this] { DockAt(AppBar1->Edge()); });
}

void TForm1::DockAt(TEdge edge) {
  AppBar1->SetEdge(edge);
  RecordPlacement();
}

void TForm1::MoveBarTo(core::Point topLeft) {
  ::SetWindowPos(Handle(), nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::FormResize() {
  if (!Marquee1) return;
  SetPaused(false);
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const platform::Picture* logo = text_.imgLogo.get();
  placement_.layout = core::LayoutBar({.clientWidth = client.right,
                                       .clientHeight = client.bottom,
                                       .pictureWidth = logo ? logo->Width() : 0,
                                       .pictureHeight = logo ? logo->Height() : 0,
                                       .useLogo = values_.UseLogo,
                                       .logoRight = values_.LogoRight,
                                       .fontSize = values_.FontSize,
                                       .dpi = Dpi()});
  if (values_.Vertical) {
    Marquee1->SetEnabled(false);
    Marquee1->SetVisible(false);
  }
  LayOutVerticalLines(placement_.layout.labels, placement_.layout.richEditWidth);
  const core::Rect& marquee = placement_.layout.marquee;
  Marquee1->SetBounds(marquee.left, marquee.top, marquee.Width(), marquee.Height());
  ::InvalidateRect(Handle(), nullptr, TRUE);
  if (!IsFloating()) return;
  const core::Rect bounds = BarBounds();
  const int width = core::FloatingWidth(bounds.Width(), Dpi());
  if (width != bounds.Width()) {
    ::SetWindowPos(Handle(), nullptr, 0, 0, width, bounds.Height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (AppBar1) AppBar1->FloatRect = BarBounds();
}

// The bar's own background takes Color; the logo is drawn stretched in its box.
void TForm1::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(Handle(), &paint);
  const platform::UniqueBrush background(
      ::CreateSolidBrush(platform::ToColorRef(static_cast<std::uint32_t>(values_.Color))));
  ::FillRect(dc, &paint.rcPaint, background.get());
  const core::Rect& box = placement_.layout.logo;
  if (text_.imgLogo && box.Width() > 0 && box.Height() > 0) {
    text_.imgLogo->Draw(dc, platform::ToRECT(box));
  }
  if (values_.Vertical) PaintVerticalLines(dc);
  ::EndPaint(Handle(), &paint);
}

void TForm1::SetFrame(bool frame) {
  values_.Frame = frame;
  // Hidden, the bar would hand the activation to another window, and with it the keys typed
  // meanwhile, the next F among them: it stays shown while it has them.
  const bool hide = ::GetActiveWindow() != Handle();
  if (hide) ::ShowWindow(Handle(), SW_HIDE);
  ApplyFrameStyle();
  const bool floating = IsFloating();
  HWND insertAfter = values_.AlwaysOnTop ? HWND_TOPMOST : HWND_TOP;
  for (const core::FrameNudge nudge : {core::FrameNudge::Out, core::FrameNudge::In}) {
    const core::Rect to = core::NudgedBounds(BarBounds(), floating, nudge);
    ::SetWindowPos(Handle(), insertAfter, to.left, to.top, to.Width(), to.Height(), SWP_NOACTIVATE);
  }
  if (startingUp_) return;
  ApplyHeightRule();
  Redock();
  if (hide) ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TForm1::ApplyFrameStyle() {
  const core::WindowStyles current{
      static_cast<std::uint32_t>(::GetWindowLongA(Handle(), GWL_STYLE)),
      static_cast<std::uint32_t>(::GetWindowLongA(Handle(), GWL_EXSTYLE))};
  const core::WindowStyles wanted = core::FrameStyles(current, IsFloating(), values_.Frame);
  if (wanted == current) return;
  ::SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>(wanted.style));
  ::SetWindowLongA(Handle(), GWL_EXSTYLE, static_cast<LONG>(wanted.exStyle));
  // The system keeps the old frame until it is told the style changed.
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm1::ApplyZOrder() {
  AppBar1->SetAlwaysOnTop(values_.AlwaysOnTop);
  ::SetWindowPos(Handle(), values_.AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::ApplyAppBarFlags() {
  AppBar1->SetStayOnTopOfFullscreen(values_.StayOnTopOfFullscreen);
  PlacementStep([this] { AppBar1->SetDoNotAdjustDesktop(values_.DoNotAdjustDesktop); });
  RecordPlacement();
}

void TForm1::ApplyPosition() {
  MoveBarTo({values_.Left, values_.Top});
}

// The stored edge and floating rectangle; at start-up the whole placement, in its order.
void TForm1::ApplyDock() {
  if (startingUp_) {
    RestorePlacement();
    return;
  }
  const core::StoredPlacement stored = StoredPlacementOf(values_);
  AppBar1->FloatRect = {stored.floatLeft, stored.floatTop, stored.floatRight,
                        stored.floatTop + BarBounds().Height()};
  DockAt(core::StoredEdge(stored));
  ApplyFrameStyle();
}

void TForm1::RestorePlacement() {
  ApplyHeightRule();
  const std::vector<core::Rect> monitors = platform::MonitorBounds();
  const core::StoredPlacement stored = StoredPlacementOf(values_);
  const core::Point corner = core::StartupTopLeft(monitors, stored.topLeft);
  if (corner != stored.topLeft) MoveBarTo(corner);
  FormResize();
  // After the layout, which keeps the floating rectangle on the bar while floating.
  AppBar1->FloatRect = core::StartupFloatRect(monitors, stored, BarBounds().Height());
  AppBar1->SetAlwaysOnTop(values_.AlwaysOnTop);
  // The frame and the z-order follow whether or not the shell took the edge.
  PlacementStep([this, &stored] { AppBar1->SetEdge(core::StoredEdge(stored)); });
  ApplyFrameStyle();
  ApplyZOrder();
}

void TForm1::UndockToCursor(core::Point cursor) {
  AppBar1->SetEdge(TEdge::abeFloat);
  ApplyFrameStyle();
  const core::UndockPlacement undock = core::UndockAt(cursor, Dpi());
  MoveBarTo(undock.topLeft);
  placement_.DragStartCursor = undock.anchor.startCursor;
  placement_.DragStartPos = undock.anchor.startPos;
  RecordPlacement();
}

// While floating, the floating rectangle follows the bar.
void TForm1::OnMove() {
  if (AppBar1 && IsFloating()) AppBar1->FloatRect = BarBounds();
  RecordPlacement();
}

// The stored values follow the bar's place, so that they are current when saved or shown.
void TForm1::RecordPlacement() {
  if (startingUp_ || applyingValues_ || !AppBar1) return;
  const core::Rect bounds = BarBounds();
  values_.Top = bounds.top;
  values_.Left = bounds.left;
  values_.Bottom = AppBar1->Edge() == TEdge::abeBottom;
  values_.Float = AppBar1->Edge() == TEdge::abeFloat;
  values_.FloatLeft = AppBar1->FloatRect.left;
  values_.FloatTop = AppBar1->FloatRect.top;
  values_.FloatRight = AppBar1->FloatRect.right;
  values_.StayOnTopOfFullscreen = AppBar1->StayOnTopOfFullscreen();
  values_.DoNotAdjustDesktop = AppBar1->DoNotAdjustDesktop();
}
