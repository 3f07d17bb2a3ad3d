#pragma once
// TForm1, the bar: owns every part of the ticker and coordinates them. Its operations are
// implemented in files by concern (Ticker*.cpp); each feature keeps its state in its own struct,
// which only that feature's file touches.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/SourceRunner.h"
#include "app/SourceText.h"
#include "app/TickerLinkState.h"
#include "app/TickerLog.h"
#include "app/TickerMinimizeState.h"
#include "app/TickerPlacementState.h"
#include "app/TickerTextState.h"
#include "app/TickerVerticalState.h"
#include "app/resources.h"
#include "components/AppBar.h"
#include "components/Marquee.h"
#include "components/Settings.h"
#include "components/Trayicon.h"
#include "core/program/CommandLine.h"
#include "core/settings/Policies.h"
#include "core/settings/TickerSettings.h"
#include "core/settings/TickerValueChanges.h"
#include "core/text/TextLines.h"
#include "core/text/TextPipeline.h"
#include "dialogs/BarOperations.h"
#include "platform/Actions.h"
#include "platform/Application.h"
#include "platform/Handles.h"
#include "platform/Timer.h"
#include "platform/Window.h"

class TForm1 : public platform::Window, public BarOperations, private SourceRunnerClient {
 public:
  // The shell is the system's, or a test's that makes its calls fail.
  explicit TForm1(platform::Application& application,
                  std::unique_ptr<AppBarShell> shell = SystemAppBarShell());
  ~TForm1() override;

  void Log(const std::string& message) override { log_->Log(message); }
  TickerLog& LogSink() { return *log_; }
  bool CheckAppDataDir() { return log_->CheckAppDataDir(); }
  void ShowMessage(const std::string& text);

  void aExitExecute();
  // Closing the bar is always allowed.
  bool FormCloseQuery() { return true; }
  // Creates a window of class Form owned by the bar, shows it modally, then frees it. The form
  // reaches the bar's operations through the bar it is given.
  template <typename Form>
  void CreateModal() {
    Form form(static_cast<BarOperations&>(*this));
    form.ShowModal();
  }
  // Keys pressed on the bar or its controls: action shortcuts, then the bar's own keys.
  bool IsShortCut(const MSG& message);

  int InstanceNumber() const { return instanceNumber_; }

  // The bar's stored values. Components receive them and never hand them back, so these are
  // always current; a change goes through ApplyValues, which applies only what changed.
  const core::TickerSettings& Values() const override { return values_; }
  void ApplyValues(const core::TickerSettings& values) override;

  // The bar's parts, for the options dialog and the tests.
  TMarquee& Marquee() { return *Marquee1; }
  core::DisplayLines& DisplayLineStore() { return text_.RichEdit1; }
  // The lines now shown (`RichEdit1`'s paragraphs), and the story of one of them or of a piece.
  const std::vector<std::u16string_view>& ShownLines();
  std::string LinkOfShown(std::u16string_view piece);
  // The items of the shown lines by where they are, worked out as the lines were set.
  const core::ItemTable& ShownItems() const { return text_.shownItems; }
  const platform::Picture* Logo() const { return text_.imgLogo.get(); }
  // The height the logo is shown at.
  int LogoHeight() const override { return placement_.layout.logo.Height(); }
  TSettings& Store() { return *Settings1; }
  TAppBar& AppBar() { return *AppBar1; }
  TTrayIcon& TrayIcon() { return *TrayIcon2; }
  // Shrunk to a strip at its edge, or hidden, with the tray icon standing in for it.
  bool Minimized() const { return minimize_.Minimized; }
  std::int32_t FileTimestamp() const { return text_.fileTimestamp; }
  bool IsFileMissing() const { return text_.FileMissing; }
  bool IsFileEmpty() const { return text_.FileEmpty; }

  // Text loading.
  void TimerGetFileTimer();
  void ReadLocalFile();
  // Shows the lines and reacts to a change; the lines are used up either way. False when memory
  // ran out before anything changed: the shown text stays.
  bool LoadFile(core::TextLines FileLines);
  // The file dialog belongs to `owner`, or to the bar.
  void aLoadFileExecute(HWND owner = nullptr);
  void FilesDropped(HDROP drop);
  void LoadLogo() override;
  // The next check reads the source again, whatever its stamp or Last-Modified value says.
  void ForceRead();
  bool SourceSetByPolicy() const;
  std::string SourceStatus(const std::string& address) const override;
  void aSourcesExecute();
  void aRefreshExecute();
  // The list the Sources dialog keeps, this copy's own.
  bool IsOwnSourceList(const std::string& path) const;
  // The bar's own file read now; the sources of a list it gives keep their conditions.
  void ReadListFileNow();
  // How a read of the bar's list file went: failures back off and are logged once each.
  void NoteListRead(bool failed, const std::string& failure = {});

  // The web source: the runner checks it.
  void StartGetUrlFileThread() { runner_->StartGetUrlFileThread(); }
  void WMGetUrlFileDone(WPARAM wParam, LPARAM lParam) {
    runner_->OnFetchDone(WM_GETURLFILE_DONE, wParam, lParam);
  }
  // Time-outs and size bounds of the web worker's requests, for tests and tools.
  void SetWebLimits(const platform::FetchLimits& limits) { runner_->SetLimits(limits); }

  // Stored values.
  void ResetTickerSettings();
  void WriteTickerSettings();
  void SaveTickerSettings() override;
  void ReadTickerSettings();
  void TimerSaveSettingsTimer();

  void FormKeyDown(UINT virtualKey);

  // What the options dialog changes on the bar beside its values.
  void aOptionsExecute();
  void aAboutExecute();
  void aHelpExecute();
  // Opens a document or an address with the user's program for it. Tests replace it, so
  // that no browser starts.
  std::function<void(const std::string&)> OpenWithShell;
  void aRestoreExecute() override;
  void FormResize() override;
  void SetFrame(bool frame) override;
  // The whole font, with underline and strikeout, which show but are not stored.
  void SetBarFont(const platform::FontSpec& font) override;
  platform::FontSpec BarFont() const override;
  bool ForcedIniFile() const override { return !commandLine_.iniFile.empty(); }

  // The rest of what the dialogs may do to the bar.
  HWND BarWindow() const override { return Handle(); }
  core::TEdge DockEdge() const override { return AppBar1->Edge(); }
  void PreviewColor(std::uint32_t color) override { Marquee1->SetColor(color); }
  void ReadSourceNow() override;
  void LoadFileFrom(HWND owner) override { aLoadFileExecute(owner); }
  void OpenDocument(const std::string& document) override { OpenWithShell(document); }
  core::SettingsProperties& StoreProperties() override { return Settings1->Properties(); }
  bool GetStoredValue(std::string_view name, core::Value& value) const override {
    return Settings1->GetValue(name, value);
  }
  void SetStoredValue(std::string_view name, core::Value value) override {
    Settings1->SetValue(name, std::move(value));
  }
  AboutTexts About() const override;
  bool LegacyWindows() const override { return legacyWindows_; }
  bool SetByPolicy(std::string_view name) const override { return policy_.Current().Sets(name); }
  std::vector<core::SourceEntry> Sources() const override;
  bool UseSources(const std::vector<core::SourceEntry>& sources) override;

  // The vertical mode and the pause, for the options dialog and the tests.
  void TimerVertLineDelayTimer();
  void SetPaused(bool pause);
  void pauseToggle();
  bool Paused() const { return vertical_.Paused; }
  // The font changed: the vertical lines wrap again at the new size.
  void RestackVerticalLines() override;
  const core::VerticalLines& VerticalLabels() const { return vertical_.labels; }

 private:
  // Start-up and exit.
  void FormCreate();
  void LoadSettings();
  void ReadCommandLine();
  void FormDestroy();
  void RunExitSequenceOnce();
  void CreateBarWindow();
  void CreateMarquee();
  void CreateSettingsStore();
  void ClaimInstanceNumber();
  void SetLegacyWindowsFlag();
  void HideFromTaskbar();
  void OnEndSession(bool ending);

  // Actions and menus.
  void CreateActions();
  void CreateMenus();
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  void OnContextMenu(LPARAM lParam);

  // Policies over the stored values.
  core::Policies ReadPolicies();
  void OnSettingChange(LPARAM lParam);
  void ApplyPolicySwitches();

  // Stored values.
  void ApplyChanges(const std::vector<core::TickerChange>& changes);
  void ApplyChange(core::TickerChange change);
  void ApplyFont();
  platform::Timer& TimerOf(core::TickerTimer timer);

  // Text loading.
  void ShowDefaultText();
  // The marquee shows the shown lines joined, not a text they were not made from.
  bool MarqueeShowsShownLines() const;
  // The lines shown from now on, with the table of their stories.
  void SetShownLines(core::TextLines lines);
  // The shown lines broken at word boundaries to the width.
  std::vector<std::u16string_view> DisplayLinesAt(core::TextMeasurer& measurer, int width);
  void ShowLocalFile(const std::string& path);
  void ApplyAutoReload();
  // The next automatic check in `delayMs`, if UseAutoReload is set.
  void ArmSourceCheck(UINT delayMs);
  void StopSourceChecks();
  // What the runner shows, and asks of the bar's own source check.
  bool ShowRootLines(core::TextLines lines) override;
  void ShowListLines(core::TextLines lines) override;
  void ArmRootCheck(std::int64_t delayMs) override;
  void CheckRootAgain() override;
  void SourcesChecked(std::size_t failing, std::size_t total) override;
  // The runner works by the bar's values and its source.
  void SyncSourceRunner();
  // Shows the lines, selected by `options`, and reacts to a change, as LoadFile.
  bool LoadLines(core::TextLines lines, const core::TextOptions& options);
  core::TextOptions ShownTextOptions() const;
  void PlayChangeSound();
  // The file's bytes as they are; nullopt after a logged failure.
  std::optional<std::string> ReadLocalBytes();
  std::optional<SourceText> TextOfLocalFile(std::string bytes);
  void ForgetStampAfterFailedRead();

  // Placement and layout.
  void CreateAppBar(std::unique_ptr<AppBarShell> shell);
  // While starting up, a shell error is shown and start-up goes on; later it propagates.
  void PlacementStep(const std::function<void()>& step);
  void PassToAppBar(UINT message, WPARAM wParam, LPARAM lParam);
  core::Rect BarBounds() const;
  bool IsFloating() const;
  int BarHeight();
  // The density of the bar's monitor, which its pixel sizes scale with.
  int Dpi() const;
  void OnDpiChanged(const RECT& suggested);
  void OnPaint();
  void ApplyFrameStyle();
  void ApplyZOrder();
  void ApplyAppBarFlags();
  void ApplyPosition();
  void ApplyDock();
  void ApplyHeightRule();
  void Redock();
  void DockAt(TEdge edge);
  void MoveBarTo(core::Point topLeft);
  void RestorePlacement();
  void ApplyCommandLinePlacement();
  void StartRedockChecks();
  void TimerRedockTimer();
  void UndockToCursor(core::Point cursor);
  void RecordPlacement();
  void OnMove();
  void OnGetMinMaxInfo(MINMAXINFO& limits);
  LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);

  // The mouse on the bar and its children.
  void FormMouseDown();
  void FormMouseMove(WPARAM keys);
  void DragStep(core::MonitorList monitors, core::Rect taskbar, core::Point cursor, int monitor);
  void ControlMouseDown(const MarqueeMouse& mouse);
  void ControlMouseMove(const MarqueeMouse& mouse);
  void ControlMouseUp(const MarqueeMouse& mouse);
  void OnButtonDown(UINT message);
  void OnLeftButtonUp();

  // Clicking a headline.
  void CreateLinkTimer();
  void LinkPress();
  void LinkRelease();
  void LinkDoubleClick();
  void TimerOpenLinkTimer();
  // The story under a screen point: in the marquee, or in the vertical label under it.
  std::string LinkAt(core::Point screen);
  std::string_view ShownLinkAt(core::Point screen);
  // A hand over a headline with a story; false leaves the cursor to the default handling.
  bool OnSetCursor(LPARAM lParam);

  // Minimize, hide and restore.
  void CreateTrayIcon();
  void aMinimizeExecute();
  void IconMinRestClick();
  void SetTotallyHide(bool hide);
  void ApplyTrayIconVisibility();
  void TimerHideTimeTimer();
  void RevealOnMouseOver();
  void RestartHideTimer();
  void StopHideTimer();

  // Vertical mode and pause.
  void CreateVerticalLines();
  void SetVertical(bool on);
  void ResetVerticalLines();
  void LayOutVerticalLines(const core::Rect& area, int wrapWidth);
  const std::vector<std::u16string_view>& VerticalDisplayLines();
  void TimerVertScrollDelayTimer();
  void DrawVerticalLines();
  void PaintVerticalLines(HDC target);
  void TimerPauseTimeoutTimer();
  // The display line of the vertical label under a client point.
  std::optional<std::u16string_view> VerticalLineAt(int x, int y);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  platform::Application& application_;
  std::unique_ptr<MyResources> resources_;
  std::unique_ptr<TickerLog> log_;

  bool legacyWindows_ = false;
  // Set while the bar is created and its settings applied; cleared before it is first shown.
  bool startingUp_ = true;
  bool applyingValues_ = false;
  // While the options dialog is open, nothing arms the source check or the hide timer.
  bool optionsOpen_ = false;
  bool exitSequenceDone_ = false;
  int instanceNumber_ = 1;
  platform::UniqueHandle instanceMutex_;
  core::CommandLineState commandLine_;

  // The one home of the stored values, as the bar uses them: a value a policy sets is the
  // policy's here, and the user's own in the layer, which hands it to the store.
  core::TickerSettings values_;
  core::PolicyLayer policy_;
  // The font's effects that show but are not stored.
  bool fontUnderline_ = false;
  bool fontStrikeOut_ = false;
  platform::Timer TimerSaveSettings{2345};

  std::unique_ptr<TAppBar> AppBar1;
  std::unique_ptr<TTrayIcon> TrayIcon2;
  std::unique_ptr<TMarquee> Marquee1;
  std::unique_ptr<TSettings> Settings1;
  platform::ActionList ActionList1;
  std::unique_ptr<platform::PopupMenu> PopupMenu1;
  std::unique_ptr<platform::PopupMenu> PopupMenu2;

  TickerTextState text_;
  TickerPlacementState placement_;
  TickerMinimizeState minimize_;
  TickerVerticalState vertical_;
  std::unique_ptr<SourceRunner> runner_;
  TickerLinkState links_;
};
