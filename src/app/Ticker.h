#pragma once
// TForm1, the bar: owns every part of the ticker and coordinates them. Its operations are
// implemented in files by concern (Ticker*.cpp).

#include <memory>
#include <string>
#include <vector>

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "app/Application.h"
#include "app/TickerLog.h"
#include "app/resources.h"
#include "components/Marquee.h"
#include "core/CommandLine.h"
#include "platform/Actions.h"
#include "platform/Handles.h"
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
  // Runs the action bound to a key pressed on the bar; true when the key was used.
  bool IsShortCut(const MSG& message);

  int InstanceNumber() const { return instanceNumber_; }

 private:
  void FormCreate();
  void LoadSettings();
  void ReadCommandLine();
  void FormDestroy();
  void RunExitSequenceOnce();

  void CreateBarWindow();
  platform::FontSpec BarFont() const;
  void CreateActions();
  void CreateMenus();
  void ClaimInstanceNumber();
  void SetLegacyWindowsFlag();
  void HideFromTaskbar();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnContextMenu(LPARAM lParam);
  void OnDropFiles(HDROP drop);
  void OnEndSession(bool ending);

  Application& application_;
  std::unique_ptr<MyResources> resources_;
  std::unique_ptr<TickerLog> log_;
  std::vector<std::string> FileLines;
  std::vector<std::string> HeaderLines;

  bool startingUp_ = false;
  bool legacyWindows_ = false;
  bool exitSequenceDone_ = false;
  int instanceNumber_ = 1;
  platform::UniqueHandle instanceMutex_;
  std::string regKeyName_;
  std::string iniFileName_;
  core::CommandLineState commandLine_;

  void CreateMarquee();
  void LayoutChildren();

  platform::UniqueFont font_;
  std::unique_ptr<TMarquee> Marquee1;
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
