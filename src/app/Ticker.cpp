#include "app/Ticker.h"

#include <shellapi.h>

#include "app/ResourceIds.h"
#include "core/InstanceNumber.h"
#include "core/ProgramPaths.h"
#include "platform/FileSystem.h"
#include "platform/NamedMutex.h"

namespace {
constexpr int kMinimumWidth = 77;
}

TForm1::TForm1(Application& application) : application_(application) {
  startingUp_ = true;
  CreateBarWindow();
  FormCreate();
}

TForm1::~TForm1() {
  RunExitSequenceOnce();
}

void TForm1::CreateBarWindow() {
  platform::WindowPlacement placement;
  placement.exStyle = WS_EX_TOOLWINDOW;
  placement.style = WS_POPUP | WS_CLIPCHILDREN;
  placement.x = 0;
  placement.y = 0;
  placement.width = ::GetSystemMetrics(SM_CXSCREEN);
  placement.height = 24;  // the marquee fits the height to its font
  placement.parent = application_.Handle();
  CreateHandle({.name = "TForm1",
                .style = CS_DBLCLKS,
                .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                .icon = ::LoadIconA(platform::ModuleInstance(), MAKEINTRESOURCEA(IDI_MAINICON))},
               "DriftlineAppbarForm", placement);
}

void TForm1::FormCreate() {
  resources_ = std::make_unique<MyResources>();
  log_ =
      std::make_unique<TickerLog>(application_.Handle(), resources_->GetString(IDS_APPDATA_FOLDER));
  FileLines.Clear();
  HeaderLines.clear();
  SetLegacyWindowsFlag();
  startingUp_ = true;
  HideFromTaskbar();
  CreateActions();
  CreateMenus();
  ::DragAcceptFiles(Handle(), TRUE);
  CreateSettingsStore();
  ClaimInstanceNumber();
  CreateMarquee();
  TimerSaveSettings.SetOnTimer([this] { TimerSaveSettingsTimer(); });
  TimerGetFile.SetOnTimer([this] { TimerGetFileTimer(); });
  LoadSettings();
  startingUp_ = false;
  ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TForm1::CreateMarquee() {
  Marquee1 = std::make_unique<TMarquee>(Handle());
  Marquee1->SetBorderStyle(TBorderStyle::bsNone);
  Marquee1->SetAutoCenter(true);
  Marquee1->SetContinuous(true);
  Marquee1->SetNewControlCode(' ');
  Marquee1->SetScrollAmount(1);
  Marquee1->SetScrollDelay(50);
  Marquee1->SetScrollStyle(TScrollStyle::ssScroll);
  Marquee1->SetStripControlCodes(true);
  Marquee1->SetColor(platform::SystemColor(COLOR_BTNFACE));
  ApplyFont();
  Marquee1->SetScrollText(std::string(core::kDefaultMarqueeText));
  Marquee1->SetAutoSizeHeight(true);
  LayoutChildren();
  Marquee1->SetActive(true);
}

// The marquee fills the bar; until the placement rules size the bar, its height follows the
// marquee's fitted height.
void TForm1::LayoutChildren() {
  if (!Marquee1) return;
  RECT client{};
  ::GetClientRect(Handle(), &client);
  Marquee1->SetBounds(0, 0, client.right, client.bottom);
  RECT marquee{};
  ::GetWindowRect(Marquee1->Handle(), &marquee);
  const int height = marquee.bottom - marquee.top;
  if (height != client.bottom) {
    RECT bar{};
    ::GetWindowRect(Handle(), &bar);
    ::SetWindowPos(Handle(), nullptr, 0, 0, bar.right - bar.left, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  }
}

void TForm1::SetLegacyWindowsFlag() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
  if (::GetVersionExA(&version))
    legacyWindows_ = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

void TForm1::HideFromTaskbar() {
  HWND owner = application_.Handle();
  ::SetWindowLongA(owner, GWL_EXSTYLE, ::GetWindowLongA(owner, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void TForm1::ClaimInstanceNumber() {
  platform::SystemMutexes mutexes;
  const auto claim = core::ClaimInstanceNumber(mutexes, resources_->GetString(IDS_MUTEX_PREFIX));
  instanceNumber_ = claim.number;
  if (claim.ownsMutex) instanceMutex_ = mutexes.TakeCreated();
  Settings1->Properties().RegKeyName =
      core::RegistryKeyName(resources_->GetString(IDS_REGISTRY_KEY), instanceNumber_);
  Settings1->Properties().IniFileName =
      core::IniFileName(platform::ModuleFileName(), instanceNumber_);
}

void TForm1::CreateSettingsStore() {
  Settings1 = std::make_unique<TSettings>();
  Settings1->Properties().SettingsPath = "Quorvane\\Driftline";
  Settings1->Properties().IniSectionName = "Settings";
  Settings1->OnLog = [this](const std::string& message) { Log(message); };
}

void TForm1::ShowMessage(const std::string& text) {
  ::MessageBoxA(Handle(), text.c_str(), "Driftline", MB_OK);
}

void TForm1::aExitExecute() {
  if (!FormCloseQuery()) return;
  application_.Terminate();
}

bool TForm1::IsShortCut(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != Handle() && !::IsChild(Handle(), message.hwnd)) return false;
  const UINT key = static_cast<UINT>(message.wParam);
  const bool modified = (::GetKeyState(VK_CONTROL) < 0) || (::GetKeyState(VK_MENU) < 0) ||
                        (::GetKeyState(VK_SHIFT) < 0);
  if (!modified && ActionList1.ExecuteShortcut(key)) return true;
  FormKeyDown(key);
  return true;
}

void TForm1::RunExitSequenceOnce() {
  if (exitSequenceDone_) return;
  exitSequenceDone_ = true;
  try {
    FormDestroy();
  } catch (const std::exception& e) {
    platform::Window::ShowUnhandledError(e.what());
  }
}

void TForm1::FormDestroy() {
  log_->SetDebugWindow(false);
  TimerSaveSettings.SetEnabled(false);
  SaveTickerSettings();
  if (instanceMutex_) ::ReleaseMutex(instanceMutex_.get());
  Log("Driftline closing");
  resources_.reset();
  HeaderLines.clear();
  FileLines.Clear();
  const std::string logFile = log_->LogFilePath();
  if (commandLine_.fileLog && commandLine_.showLog && !logFile.empty() &&
      platform::FileExists(logFile)) {
    ::ShellExecuteA(nullptr, nullptr, logFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

void TForm1::OnEndSession(bool ending) {
  if (!ending) return;
  // The system may end the process as soon as this message returns: save and close now.
  RunExitSequenceOnce();
  application_.Terminate();
}

void TForm1::OnContextMenu(LPARAM lParam) {
  POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) {  // from the keyboard: open at the bar's corner
    RECT bounds{};
    ::GetWindowRect(Handle(), &bounds);
    at = {bounds.left, bounds.bottom};
  }
  PopupMenu1->Popup(Handle(), at);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 && ActionList1.Execute(LOWORD(wParam))) return 0;
      break;
    case WM_CONTEXTMENU: OnContextMenu(lParam); return 0;
    case WM_DROPFILES: FilesDropped(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_SIZE: LayoutChildren(); return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.x = kMinimumWidth;
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOSIZE) && pos->cx < kMinimumWidth) pos->cx = kMinimumWidth;
      break;
    }
    case WM_QUERYENDSESSION: return 1;
    case WM_ENDSESSION: OnEndSession(wParam != FALSE); return 0;
    case WM_CLOSE: aExitExecute(); return 0;
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}
