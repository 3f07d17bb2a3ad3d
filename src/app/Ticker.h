#pragma once
// TForm1, the bar: owns every part of the ticker and coordinates them. Its operations are
// implemented in files by concern (Ticker*.cpp).

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/TickerLog.h"
#include "app/resources.h"
#include "components/Marquee.h"
#include "components/Settings.h"
#include "core/CommandLine.h"
#include "core/TextLines.h"
#include "core/TickerSettings.h"
#include "core/WordWrap.h"
#include "platform/Actions.h"
#include "platform/Handles.h"
#include "platform/Picture.h"
#include "platform/Timer.h"
#include "platform/Window.h"

class TForm1 : public platform::Window {
 public:
  explicit TForm1(Application& application);
  ~TForm1() override;

  void Log(const std::string& message) { log_->Log(message); }
  bool CheckAppDataDir() { return log_->CheckAppDataDir(); }
  void ShowMessage(const std::string& text);

  void aExitExecute();
  // Closing the bar is always allowed.
  bool FormCloseQuery() { return true; }
  // Creates a window of class Form owned by the bar, shows it modally, then frees it.
  template <typename Form>
  void CreateModal() {
    Form form(Handle());
    form.ShowModal();
  }
  // Keys pressed on the bar or its controls: action shortcuts, then the bar's own keys.
  bool IsShortCut(const MSG& message);

  int InstanceNumber() const { return instanceNumber_; }

  // The bar's current values and parts, for the options dialog (and the tests).
  core::TickerSettings& Values() { return values_; }
  TMarquee& Marquee() { return *Marquee1; }
  core::DisplayLines& DisplayLineStore() { return RichEdit1; }
  const platform::Picture* Logo() const { return imgLogo.get(); }
  TSettings& Store() { return *Settings1; }
  // A caller that wants the file read again at the next check sets the stamp to 0.
  std::int32_t FileTimestamp() const { return fileTimestamp; }
  void SetFileTimestamp(std::int32_t stamp) { fileTimestamp = stamp; }
  bool IsFileMissing() const { return FileMissing; }
  bool IsFileEmpty() const { return FileEmpty; }

  // Text loading.
  void TimerGetFileTimer();
  void ReadLocalFile();
  void LoadFile();
  void aLoadFileExecute();
  void FilesDropped(HDROP drop);
  void LoadLogo();

  // Stored values.
  void ResetTickerSettings();
  void WriteTickerSettings();
  void SaveTickerSettings();
  void ReadTickerSettings();
  void TimerSaveSettingsTimer();

  void FormKeyDown(UINT virtualKey);

 private:
  void FormCreate();
  void LoadSettings();
  void ReadCommandLine();
  void FormDestroy();
  void RunExitSequenceOnce();

  void CreateBarWindow();
  void CreateActions();
  void CreateMenus();
  void CreateMarquee();
  void CreateSettingsStore();
  void LayoutChildren();
  void ClaimInstanceNumber();
  void SetLegacyWindowsFlag();
  void HideFromTaskbar();

  void ApplyTickerSettings();
  void ApplyFont();
  core::TextOptions TextOptions() const;
  // Another writer may hold the file for a moment: Failed is worth another try, TooLarge not.
  enum class ReadResult { Read, Failed, TooLarge };
  ReadResult ReadFileBytes(std::string& bytes);
  void PlayChangeSound();

  // Operations of the minimize, pause, vertical, placement and web parts of the bar. They
  // are called where those parts act; until those parts are in place they do nothing.
  void aMinimizeExecute() {}
  void aRestoreExecute() {}
  void SetPaused(bool) {}
  void TimerVertLineDelayTimer() {}
  void StartGetUrlFileThread() {}
  void SetFrame(bool frame) { values_.Frame = frame; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnContextMenu(LPARAM lParam);
  void OnEndSession(bool ending);

  Application& application_;
  std::unique_ptr<MyResources> resources_;
  std::unique_ptr<TickerLog> log_;
  core::TextLines FileLines;
  std::vector<std::string> HeaderLines;

  bool startingUp_ = false;
  bool legacyWindows_ = false;
  bool exitSequenceDone_ = false;
  int instanceNumber_ = 1;
  platform::UniqueHandle instanceMutex_;
  core::CommandLineState commandLine_;

  // The bar's current stored values; components hold the ones they apply.
  core::TickerSettings values_;
  std::int32_t fileTimestamp = 0;
  bool FileMissing = false;
  bool FileEmpty = false;

  std::unique_ptr<TMarquee> Marquee1;
  core::DisplayLines RichEdit1;
  std::unique_ptr<platform::Picture> imgLogo;
  std::unique_ptr<TSettings> Settings1;
  platform::ActionList ActionList1;
  std::unique_ptr<platform::PopupMenu> PopupMenu1;
  std::unique_ptr<platform::PopupMenu> PopupMenu2;

  platform::Timer TimerGetFile{0};
  platform::Timer TimerVertScrollDelay{1};
  platform::Timer TimerVertLineDelay{3000};
  platform::Timer TimerHideTime{0};
  platform::Timer TimerPauseTimeout{0};
  platform::Timer TimerSaveSettings{2345};
  platform::Timer TimerRedock{0};
};
