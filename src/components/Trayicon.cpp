#include "components/Trayicon.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/SystemError.h"

namespace {

// The original record layout, which every shell since the first accepts.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(kRecordSize == 88, "the first shells know an 88-byte record only");

// The single-instance guard's named object only has to exist; its contents are never read.
constexpr DWORD kGuardMappingSize = 32;

class SystemShell final : public TrayIconShell {
 public:
  BOOL Notify(DWORD message, NOTIFYICONDATAA& data) override {
    return ::Shell_NotifyIconA(message, &data);
  }
};

}  // namespace

std::unique_ptr<TrayIconShell> SystemTrayIconShell() {
  return std::make_unique<SystemShell>();
}

TTrayIcon::TTrayIcon(TrayIconHost host, std::unique_ptr<TrayIconShell> shell)
    : host_(std::move(host)), shell_(std::move(shell)) {
  // Top-level, not message-only: only top-level windows hear "TaskbarCreated".
  CreateHandle({.name = "TTrayIcon"}, "",
               {.style = WS_POPUP, .x = 0, .y = 0, .width = 0, .height = 0});
  taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
  retryAdd_.SetOnTimer([this] {
    if (!active_ || AddIcon()) retryAdd_.SetEnabled(false);
  });
  SetShowApp(false);
}

TTrayIcon::~TTrayIcon() {
  mapping_.reset();
  if (active_) DeleteIcon();
  icon_.reset();
}

void TTrayIcon::Loaded() {
  if (!idMessage_.empty()) RunSingleInstanceGuard();
  SetShowApp(showApp_);
}

// The first instance holds a named mapping; a later one finds it, calls the first with the
// registered message and ends.
void TTrayIcon::RunSingleInstanceGuard() {
  guardMessage_ = ::RegisterWindowMessageA(idMessage_.c_str());
  if (guardMessage_ == 0) return;
  ::SetLastError(0);
  mapping_.reset(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0,
                                      kGuardMappingSize, idMessage_.c_str()));
  const DWORD error = ::GetLastError();
  if (!mapping_ || error != ERROR_ALREADY_EXISTS) return;
  ::PostMessageA(HWND_BROADCAST, guardMessage_, 0, 0);
  if (host_.endProgram) host_.endProgram();
}

void TTrayIcon::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  if (active) {
    AddIcon();
  } else {
    DeleteIcon();
  }
}

void TTrayIcon::SetShowApp(bool show) {
  showApp_ = show;
  if (host_.applicationWindow) ::ShowWindow(host_.applicationWindow, show ? SW_SHOW : SW_HIDE);
}

void TTrayIcon::SetIcon(HICON icon) {
  if (icon == icon_.get()) return;
  icon_.reset(icon ? platform::CheckHandle(::CopyIcon(icon)) : nullptr);
  ModifyIcon();
}

void TTrayIcon::SetToolTip(const std::string& tip) {
  toolTip_ = tip.substr(0, kTrayTipLength);
  ModifyIcon();
}

bool TTrayIcon::AddIcon() {
  FillRecord();
  iconShown_ = shell_->Notify(NIM_ADD, data_) != FALSE;
  // A "TaskbarCreated" from a shell that did not restart: it still shows the icon and refuses
  // the duplicate, which a modify tells apart from a real refusal.
  if (!iconShown_) iconShown_ = shell_->Notify(NIM_MODIFY, data_) != FALSE;
  if (!iconShown_) {
    if (!retryAdd_.Enabled() && host_.log) {
      host_.log("Tray icon: the shell refused the icon; trying again every " +
                std::to_string(kRetryAddMs / 1000) + " seconds");
    }
    retryAdd_.SetEnabled(true);
    return false;
  }
  retryAdd_.SetEnabled(false);
  if (toolTip_.empty()) ::PostMessageA(Handle(), kTrayIconTipMessage, 0, 0);
  return true;
}

void TTrayIcon::ModifyIcon() {
  if (!active_ || !iconShown_) return;
  FillRecord();
  shell_->Notify(NIM_MODIFY, data_);
}

void TTrayIcon::DeleteIcon() {
  retryAdd_.SetEnabled(false);
  // The shell never had it; a needless delete can take seconds.
  if (!iconShown_) return;
  iconShown_ = false;
  shell_->Notify(NIM_DELETE, data_);
}

void TTrayIcon::FillRecord() {
  data_ = {};
  data_.cbSize = kRecordSize;
  data_.hWnd = Handle();
  data_.uID = 0;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = kTrayIconCallbackMessage;
  data_.hIcon = Icon();
  const size_t length = std::min(toolTip_.size(), sizeof data_.szTip - 1);
  std::copy_n(toolTip_.data(), length, data_.szTip);
}

void TTrayIcon::RightClick() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  if (PopupMenu) {
    if (host_.applicationWindow) ::SetForegroundWindow(host_.applicationWindow);
    if (host_.processMessages) host_.processMessages();
    // The menu returns its choice and runs the action itself, so the hidden window, which
    // exists even without an application window, can own it.
    PopupMenu->Popup(Handle(), cursor);
  }
  if (OnRightClick) OnRightClick(TMouseButton::mbRight, cursor.x, cursor.y);
}

LRESULT TTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayIconTipMessage) {
    SetToolTip(ToolTip());
    return 0;
  }
  if (message == kTrayIconCallbackMessage) {
    switch (static_cast<UINT>(lParam)) {
      case WM_LBUTTONUP:
        if (OnClick) OnClick();
        break;
      case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick();
        break;
      case WM_RBUTTONUP: RightClick(); break;
      default: break;
    }
    return 0;
  }
  // A restarted shell has forgotten every icon; a hidden bar would have no way back.
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    if (active_) AddIcon();
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
