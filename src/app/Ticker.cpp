#include "app/Ticker.h"

#include <shellapi.h>

#include <utility>

#include "app/ResourceIds.h"
#include "core/program/InstanceNumber.h"
#include "core/program/ProgramPaths.h"
#include "core/web/WebAddressParts.h"
#include "platform/FileSystem.h"
#include "platform/NamedMutex.h"
#include "platform/ShellOpen.h"

TForm1::TForm1(platform::Application& application, std::unique_ptr<AppBarShell> shell)
    : application_(application) {
  CreateBarWindow();
  CreateAppBar(std::move(shell));
  CreateTrayIcon();
  FormCreate();
}

TForm1::~TForm1() {
  RunExitSequenceOnce();
  // The shell forgets the bar before its window goes.
  AppBar1.reset();
  TrayIcon2.reset();
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
                .background = nullptr,  // the bar paints its own colour
                .icon = ::LoadIconA(platform::ModuleInstance(), MAKEINTRESOURCEA(IDI_MAINICON))},
               "DriftlineAppbarForm", placement);
}

void TForm1::FormCreate() {
  resources_ = std::make_unique<MyResources>();
  log_ =
      std::make_unique<TickerLog>(application_.Handle(), resources_->GetString(IDS_APPDATA_FOLDER));
  runner_ = std::make_unique<SourceRunner>(static_cast<SourceRunnerClient&>(*this), application_,
                                           Handle(), resources_->GetString(IDS_PRODUCT));
  OpenWithShell = [this](const std::string& target) {
    if (!platform::OpenWithShell(target)) Log("Could not open " + core::AddressForLog(target));
  };
  SetLegacyWindowsFlag();
  HideFromTaskbar();
  CreateActions();
  CreateMenus();
  TrayIcon2->PopupMenu = PopupMenu1.get();
  TrayIcon2->SetToolTip(resources_->GetString(IDS_TRAY_TIP));
  ::DragAcceptFiles(Handle(), TRUE);
  CreateSettingsStore();
  ClaimInstanceNumber();
  CreateMarquee();
  TimerSaveSettings.SetOnTimer([this] { TimerSaveSettingsTimer(); });
  text_.TimerGetFile.SetOnTimer([this] { TimerGetFileTimer(); });
  minimize_.TimerHideTime.SetOnTimer([this] { TimerHideTimeTimer(); });
  CreateVerticalLines();
  CreateLinkTimer();
  LoadSettings();
  startingUp_ = false;
  RecordPlacement();
  // A floating bar that the first check hid stays hidden until it is restored.
  if (!(minimize_.Minimized && IsFloating())) {
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(Handle());
  }
  // After the first text: the shell takes tens of milliseconds to add the icon.
  ApplyTrayIconVisibility();
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
  Marquee1->SetScrollText(std::u16string(core::kDefaultMarqueeText));
  Marquee1->SetAutoSizeHeight(true);
  Marquee1->OnMouseDown = [this](const MarqueeMouse& mouse) { ControlMouseDown(mouse); };
  Marquee1->OnMouseMove = [this](const MarqueeMouse& mouse) { ControlMouseMove(mouse); };
  Marquee1->OnMouseUp = [this](const MarqueeMouse& mouse) { ControlMouseUp(mouse); };
  Marquee1->OnDblClick = [this] {
    LinkDoubleClick();
    pauseToggle();
  };
  FormResize();
  Marquee1->SetActive(true);
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
  StopSourceChecks();
  runner_->Stop();
  if (instanceMutex_) ::ReleaseMutex(instanceMutex_.get());
  Log("Driftline closing");
  resources_.reset();
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

platform::Timer& TForm1::TimerOf(core::TickerTimer timer) {
  switch (timer) {
    case core::TickerTimer::GetFile: return text_.TimerGetFile;
    case core::TickerTimer::VertScrollDelay: return vertical_.TimerVertScrollDelay;
    case core::TickerTimer::VertLineDelay: return vertical_.TimerVertLineDelay;
    case core::TickerTimer::HideTime: return minimize_.TimerHideTime;
    case core::TickerTimer::PauseTimeout: return vertical_.TimerPauseTimeout;
  }
  return text_.TimerGetFile;
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  PassToAppBar(message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_CONTEXTMENU: OnContextMenu(lParam); return 0;
    case WM_DROPFILES: FilesDropped(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_GETURLFILE_DONE: WMGetUrlFileDone(wParam, lParam); return 0;
    case WM_SOURCE_DONE: runner_->OnFetchDone(message, wParam, lParam); return 0;
    case WM_SIZE: FormResize(); return 0;
    case WM_MOVE: OnMove(); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills every pixel
    case WM_PAINT: OnPaint(); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: OnButtonDown(message); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(); return 0;
    case WM_LBUTTONDBLCLK:
      // Over the labels or the logo, which are drawn on the bar itself.
      OnButtonDown(WM_LBUTTONDOWN);
      LinkDoubleClick();
      pauseToggle();
      return 0;
    case WM_MOUSEMOVE: FormMouseMove(wParam); return 0;
    case WM_SETCURSOR:
      // The marquee's default handling asks here first.
      return OnSetCursor(lParam) ? TRUE : DefaultHandling(message, wParam, lParam);
    case WM_NCMOUSEMOVE:
      // With a frame, the strip of a minimized bar is all frame.
      RevealOnMouseOver();
      return DefaultHandling(message, wParam, lParam);
    case WM_SETTINGCHANGE: OnSettingChange(lParam); return 0;
    case WM_DPICHANGED: OnDpiChanged(*reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(wParam, lParam);
    case WM_QUERYENDSESSION: return 1;
    case WM_ENDSESSION: OnEndSession(wParam != FALSE); return 0;
    case WM_CLOSE: aExitExecute(); return 0;
    default: return DefaultHandling(message, wParam, lParam);
  }
}
