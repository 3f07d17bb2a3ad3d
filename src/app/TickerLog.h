#pragma once
// The bar's log: one line per event, to the log file and/or the debug window.
// Safe from any thread; never throws to the code that logs.

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "app/Debug.h"
#include "platform/Window.h"

class TickerLog : private platform::Window {
 public:
  // `debugOwner` owns the debug window; `appDataSubfolder` is "\Vendor\Program\".
  TickerLog(HWND debugOwner, std::string appDataSubfolder);
  ~TickerLog() override;

  void Log(const std::string& message);
  // Makes sure the log folder exists; false (and file logging off) when it cannot be made.
  bool CheckAppDataDir();
  // The folder of the log and the bar's own files, with a trailing backslash; empty when it
  // cannot be made.
  std::string AppDataDir();

  void SetDebugWindow(bool on) { debugWindow_ = on; }
  bool DebugWindow() const { return debugWindow_; }
  void SetFileLog(bool on) { fileLog_ = on; }
  bool FileLog() const { return fileLog_; }
  // Empty until the first line of the run has been written to the file.
  std::string LogFilePath() const;
  TDebugForm* DebugForm() const { return debugForm_.get(); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ShowInDebugWindow(const std::string& line);
  void ShowPendingLines();
  void WriteToFile(const std::string& line);
  // Returns the folder that could not be created, or an empty text on success.
  std::string PrepareAppDataDir();

  HWND debugOwner_;
  std::string appDataSubfolder_;
  DWORD uiThread_;
  std::atomic<bool> debugWindow_{false};
  std::atomic<bool> fileLog_{false};
  std::unique_ptr<TDebugForm> debugForm_;

  // Held for a whole line; the same thread may log again while writing it (a failed write).
  std::recursive_mutex logMutex_;
  mutable std::mutex fileMutex_;
  std::string appDataDir_;
  std::string logFilePath_;

  std::mutex pendingMutex_;
  std::deque<std::string> pendingLines_;
};
