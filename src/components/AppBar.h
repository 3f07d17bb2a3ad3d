#pragma once
// TAppBar: registers its owner window with the shell as an application desktop toolbar, docks
// it to a monitor's top or bottom edge (reserving that strip unless told not to) or lets it
// float at a rectangle of its own, and keeps the shell informed of the window's moves.
//
// The owner passes every message it receives to AppBarWndProc before its own handling; the
// app bar never replaces the owner's window procedure.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "core/placement/AppBarGeometry.h"
#include "core/placement/ScreenGeometry.h"
#include "platform/Window.h"

using core::TEdge;

// The one way the app bar talks to the shell, so that a test can make a call fail.
class AppBarShell {
 public:
  virtual ~AppBarShell() = default;
  // SHAppBarMessage.
  virtual UINT_PTR Send(DWORD message, APPBARDATA& data) = 0;
};

std::unique_ptr<AppBarShell> SystemAppBarShell();

// The callback message the shell notifies the bar with.
inline constexpr UINT kAppBarCallbackMessage = WM_USER + 1;

class TAppBar {
 public:
  // May change the size the bar is positioned with, per edge.
  using TQuerySizeEvent =
      std::function<void(TAppBar& sender, TEdge edge, std::int32_t& width, std::int32_t& height)>;

  // Throws std::runtime_error: "Sorry, can't do this without an owner" (no owner), "Sorry,
  // can't do this only with TCustomForms" (the owner is a child window), "Ooops, you need
  // only *ONE* of these" (the owner has an app bar already).
  explicit TAppBar(platform::Window* owner,
                   std::unique_ptr<AppBarShell> shell = SystemAppBarShell());
  virtual ~TAppBar();
  TAppBar(const TAppBar&) = delete;
  TAppBar& operator=(const TAppBar&) = delete;

  // The owner has applied the design values: register and take the place. Until then every
  // property is only stored. When the shell refuses to register the bar, the bar is still
  // placed, by the monitor's bounds and without shell messages, and the refusal is thrown.
  void Loaded();

  // The shell failed its calls with a platform::SystemError carrying the system's message,
  // or naming the call when the system gave no error code.
  virtual void RegisterBar();
  virtual void UnregisterBar();
  virtual void UpdateBarPos();
  virtual void BarPosChanged();
  virtual void FullScreenAppChanged(bool opened);

  // Every message of the owner, before the owner's own handling.
  void AppBarWndProc(UINT message, WPARAM wParam, LPARAM lParam);

  TEdge Edge() const { return edge_; }
  // Setting the same edge again repositions: the owner re-docks after its height changed.
  void SetEdge(TEdge edge);
  bool AlwaysOnTop() const { return alwaysOnTop_; }
  // True raises the owner into the topmost band; false leaves the window as it is.
  void SetAlwaysOnTop(bool alwaysOnTop);
  bool StayOnTopOfFullscreen() const { return stayOnTopOfFullscreen_; }
  void SetStayOnTopOfFullscreen(bool stay) { stayOnTopOfFullscreen_ = stay; }
  bool DoNotAdjustDesktop() const { return doNotAdjustDesktop_; }
  // Switching it on passes once through floating, so that the reservation is given back.
  void SetDoNotAdjustDesktop(bool doNotAdjust);

  TQuerySizeEvent QuerySize;
  core::Rect FloatRect;

  // Registered with the shell (false before Loaded and after the shell refused).
  bool IsRegistered() const { return registered_; }

 private:
  UINT_PTR Call(DWORD message, const char* name);
  // Without checking the result, for the calls whose failure changes nothing.
  UINT_PTR SendToShell(DWORD message);
  void GiveStripBack();
  void RaiseToTopmost();
  void ShellRestarted();

  platform::Window& owner_;
  std::unique_ptr<AppBarShell> shell_;
  APPBARDATA data_{};
  TEdge edge_ = TEdge::abeLeft;
  bool alwaysOnTop_ = false;
  bool stayOnTopOfFullscreen_ = false;
  bool doNotAdjustDesktop_ = false;
  bool loaded_ = false;
  bool registered_ = false;
  // The strip the shell was last told to reserve, at its edge, so that it can be given back.
  struct Reservation {
    TEdge edge;
    core::Rect strip;
  };
  std::optional<Reservation> reserved_;
  UINT taskbarCreated_ = 0;
};
