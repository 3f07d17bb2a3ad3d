#pragma once
// TTrayIcon: one icon in the shell's notification area. Its mouse callbacks arrive at a hidden
// window of its own and become click, double-click and right-click events; a right click shows
// its popup menu. The icon comes back when the shell restarts, and an add the shell refuses is
// tried again until it succeeds.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "components/Marquee.h"  // TMouseButton
#include "platform/Actions.h"
#include "platform/Handles.h"
#include "platform/Timer.h"
#include "platform/Window.h"

// The one way the icon talks to the shell, so that a test can record or refuse the calls.
class TrayIconShell {
 public:
  virtual ~TrayIconShell() = default;
  // Shell_NotifyIconA.
  virtual BOOL Notify(DWORD message, NOTIFYICONDATAA& data) = 0;
};

std::unique_ptr<TrayIconShell> SystemTrayIconShell();

// What the icon needs from the application, passed in so that components do not depend on it.
struct TrayIconHost {
  HWND applicationWindow = nullptr;       // shown or hidden by ShowApp; foreground for the menu
  std::function<void()> processMessages;  // handles the application's pending messages
  std::function<void()> endProgram;       // the single-instance guard's exit
  std::function<void(const std::string&)> log;  // a refused add, and its retries
};

// The icon's callback message, and the message that re-sends an empty tip after an add.
inline constexpr UINT kTrayIconCallbackMessage = WM_USER + 1;
inline constexpr UINT kTrayIconTipMessage = WM_USER + 2;
// The icon's tip keeps this many characters.
inline constexpr size_t kTrayTipLength = 62;

class TTrayIcon : public platform::Window {
 public:
  explicit TTrayIcon(TrayIconHost host,
                     std::unique_ptr<TrayIconShell> shell = SystemTrayIconShell());
  ~TTrayIcon() override;

  // The owner has applied the stored values: the single-instance guard (when IDMessage is
  // set), then ShowApp again.
  void Loaded();

  bool Active() const { return active_; }
  void SetActive(bool active);
  bool ShowApp() const { return showApp_; }
  void SetShowApp(bool show);
  // The program never runs in a designer: only stored.
  bool ShowDesigning() const { return showDesigning_; }
  void SetShowDesigning(bool show) { showDesigning_ = show; }
  HICON Icon() const { return icon_.get(); }
  // Keeps a copy of the image.
  void SetIcon(HICON icon);
  const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(const std::string& tip);
  const std::string& IDMessage() const { return idMessage_; }
  void SetIDMessage(const std::string& name) { idMessage_ = name; }

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(TMouseButton button, int x, int y)> OnRightClick;
  platform::PopupMenu* PopupMenu = nullptr;  // not owned

 private:
  bool AddIcon();
  void ModifyIcon();
  void DeleteIcon();
  void FillRecord();
  void RightClick();
  void RunSingleInstanceGuard();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  TrayIconHost host_;
  std::unique_ptr<TrayIconShell> shell_;
  platform::UniqueHandle mapping_;
  NOTIFYICONDATAA data_{};
  platform::UniqueIcon icon_;
  std::string toolTip_;
  std::string idMessage_;
  bool active_ = false;
  bool showApp_ = true;
  bool showDesigning_ = false;
  bool iconShown_ = false;  // the shell accepted the last add
  UINT guardMessage_ = 0;
  UINT taskbarCreated_ = 0;
  static constexpr UINT kRetryAddMs = 2000;
  platform::Timer retryAdd_{kRetryAddMs};
};
