#include "components/AppBar.h"

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/Monitors.h"
#include "platform/SystemError.h"

namespace {

// Marks the owner window that has an app bar, so that a second one is refused.
constexpr char kOwnerProperty[] = "Driftline.TAppBar";

class SystemShell final : public AppBarShell {
 public:
  UINT_PTR Send(DWORD message, APPBARDATA& data) override {
    return ::SHAppBarMessage(message, &data);
  }
};

// The system's message for the code, or the call's name when the system gave no code.
[[noreturn]] void ThrowCallError(DWORD code, const std::string& call) {
  if (code != 0) platform::ThrowError(code);
  throw platform::SystemError(0, call + " failed");
}

platform::Window& CheckedOwner(platform::Window* owner) {
  if (!owner) throw std::runtime_error("Sorry, can't do this without an owner");
  if (::GetWindowLongA(owner->Handle(), GWL_STYLE) & WS_CHILD) {
    throw std::runtime_error("Sorry, can't do this only with TCustomForms");
  }
  if (::GetPropA(owner->Handle(), kOwnerProperty)) {
    throw std::runtime_error("Ooops, you need only *ONE* of these");
  }
  return *owner;
}

}  // namespace

std::unique_ptr<AppBarShell> SystemAppBarShell() {
  return std::make_unique<SystemShell>();
}

TAppBar::TAppBar(platform::Window* owner, std::unique_ptr<AppBarShell> shell)
    : owner_(CheckedOwner(owner)),
      shell_(std::move(shell)),
      taskbarCreated_(::RegisterWindowMessageA("TaskbarCreated")) {
  platform::ThrowLastErrorIf(!::SetPropA(owner_.Handle(), kOwnerProperty, this));
}

TAppBar::~TAppBar() {
  try {
    TAppBar::UnregisterBar();  // what a derived class added is gone by now
  } catch (...) {
    // The window goes away with its owner; the shell forgets it then.
  }
  if (::GetPropA(owner_.Handle(), kOwnerProperty) == this) {
    ::RemovePropA(owner_.Handle(), kOwnerProperty);
  }
}

void TAppBar::Loaded() {
  loaded_ = true;
  std::exception_ptr refusal;
  try {
    RegisterBar();
  } catch (...) {
    if (registered_) throw;
    // Unregistered, the bar still takes its place by the monitor's bounds.
    refusal = std::current_exception();
  }
  UpdateBarPos();
  if (refusal) std::rethrow_exception(refusal);
}

void TAppBar::RegisterBar() {
  const HWND hwnd = owner_.Handle();
  data_.cbSize = sizeof(APPBARDATA);
  data_.hWnd = hwnd;
  data_.uCallbackMessage = kAppBarCallbackMessage;
  std::exception_ptr refusal;
  try {
    Call(ABM_NEW, "ABM_NEW");
    registered_ = true;
  } catch (const platform::SystemError&) {
    refusal = std::current_exception();
  }
  ::SetLastError(0);
  if (::SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME) == 0) {
    const DWORD code = ::GetLastError();
    if (code != 0) ThrowCallError(code, "SetWindowLong(GWL_EXSTYLE)");
  }
  ::SetWindowPos(hwnd, hwnd, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  if (refusal) std::rethrow_exception(refusal);
}

void TAppBar::UnregisterBar() {
  if (!registered_) return;
  Call(ABM_REMOVE, "ABM_REMOVE");
  registered_ = false;
  reserved_.reset();
}

void TAppBar::UpdateBarPos() {
  if (!loaded_) return;
  const HWND hwnd = owner_.Handle();
  const core::Rect bounds = platform::WindowBounds(hwnd);
  core::BarSize size{bounds.Width(), bounds.Height()};
  if (QuerySize) QuerySize(*this, edge_, size.width, size.height);
  const std::optional<core::Point> cursor = platform::CursorPosition();
  if (!cursor) return;
  const std::vector<core::Rect> monitors = platform::MonitorBounds();
  const core::Rect monitor =
      monitors[core::MonitorIndexAt(monitors, core::BarReferencePoint(bounds, *cursor))];
  data_.uEdge = static_cast<UINT>(edge_);
  data_.rc = platform::ToRECT(
      core::ProposedBarRect(edge_, monitor, size, ::GetSystemMetrics(SM_CXSCREEN)));
  if (registered_) Call(ABM_QUERYPOS, "ABM_QUERYPOS");
  const core::Rect rc = core::AdjustedBarRect(edge_, platform::ToRect(data_.rc), size, FloatRect);
  if (registered_ && (edge_ == TEdge::abeFloat || doNotAdjustDesktop_)) GiveStripBack();
  if (registered_ && !doNotAdjustDesktop_) {
    // Floating sends edge 4 too: the shell knows it as no edge.
    data_.uEdge = static_cast<UINT>(edge_);
    data_.rc = platform::ToRECT(rc);
    Call(ABM_SETPOS, "ABM_SETPOS");
    if (edge_ != TEdge::abeFloat) reserved_ = Reservation{edge_, platform::ToRect(data_.rc)};
  }
  ::MoveWindow(hwnd, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
}

void TAppBar::BarPosChanged() {
  UpdateBarPos();
}

void TAppBar::FullScreenAppChanged(bool /*opened*/) {
  // A topmost bar stays above a full-screen window as well as after it closes.
  if (alwaysOnTop_) RaiseToTopmost();
}

void TAppBar::AppBarWndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAppBarCallbackMessage) {
    switch (wParam) {
      case ABN_STATECHANGE:
      case ABN_POSCHANGED: BarPosChanged(); break;
      case ABN_FULLSCREENAPP: FullScreenAppChanged(lParam != 0); break;
      default: break;
    }
    return;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    ShellRestarted();
    return;
  }
  if (!registered_) return;
  if (message == WM_WINDOWPOSCHANGED) SendToShell(ABM_WINDOWPOSCHANGED);
  if (message == WM_ACTIVATE) SendToShell(ABM_ACTIVATE);
}

void TAppBar::SetEdge(TEdge edge) {
  edge_ = edge;
  data_.uEdge = static_cast<UINT>(edge);
  UpdateBarPos();
}

void TAppBar::SetAlwaysOnTop(bool alwaysOnTop) {
  alwaysOnTop_ = alwaysOnTop;
  if (alwaysOnTop && loaded_) RaiseToTopmost();
}

void TAppBar::SetDoNotAdjustDesktop(bool doNotAdjust) {
  if (!loaded_) {
    doNotAdjustDesktop_ = doNotAdjust;
    return;
  }
  if (doNotAdjust) {
    const TEdge docked = edge_;
    SetEdge(TEdge::abeFloat);
    doNotAdjustDesktop_ = doNotAdjust;
    SetEdge(docked);
  }
  doNotAdjustDesktop_ = doNotAdjust;
  UpdateBarPos();
}

UINT_PTR TAppBar::Call(DWORD message, const char* name) {
  const UINT_PTR result = SendToShell(message);
  if (result == 0) ThrowCallError(::GetLastError(), std::string("SHAppBarMessage(") + name + ")");
  return result;
}

UINT_PTR TAppBar::SendToShell(DWORD message) {
  ::SetLastError(0);
  return shell_->Send(message, data_);
}

// The shell ignores a position with no edge, so before the bar floats or stops reserving, the
// strip it last reserved is set to no thickness at its own edge.
void TAppBar::GiveStripBack() {
  if (!reserved_) return;
  data_.uEdge = static_cast<UINT>(reserved_->edge);
  data_.rc = platform::ToRECT(core::ReleasedStrip(reserved_->edge, reserved_->strip));
  // Kept until the shell has taken the strip back, so that a failed call can be repeated.
  Call(ABM_SETPOS, "ABM_SETPOS");
  reserved_.reset();
}

void TAppBar::RaiseToTopmost() {
  ::SetWindowPos(owner_.Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A restarted shell has forgotten every bar: register again and take the place anew.
void TAppBar::ShellRestarted() {
  if (!loaded_) return;
  SendToShell(ABM_REMOVE);
  reserved_.reset();
  registered_ = SendToShell(ABM_NEW) != 0;
  UpdateBarPos();
}
