#include "app/TickerLog.h"

#include <shlobj.h>

#include "core/program/LogLine.h"
#include "core/program/ProgramPaths.h"
#include "core/settings/AppDataFolder.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"
#include "platform/TextFile.h"

namespace {

constexpr UINT kShowPendingLines = WM_APP + 20;

std::string LocalDateTimeText(DWORD flags, bool date) {
  char buffer[128] = {};
  const int length =
      date ? ::GetDateFormatA(LOCALE_USER_DEFAULT, flags, nullptr, nullptr, buffer, sizeof buffer)
           : ::GetTimeFormatA(LOCALE_USER_DEFAULT, flags, nullptr, nullptr, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer) : std::string();
}

}  // namespace

TickerLog::TickerLog(HWND debugOwner, std::string appDataSubfolder)
    : debugOwner_(debugOwner),
      appDataSubfolder_(std::move(appDataSubfolder)),
      uiThread_(::GetCurrentThreadId()) {
  CreateHandle({.name = "DriftlineLog"}, "", platform::WindowPlacement::MessageOnly());
}

TickerLog::~TickerLog() = default;

std::string TickerLog::LogFilePath() const {
  std::lock_guard lock(fileMutex_);
  return logFilePath_;
}

void TickerLog::Log(const std::string& message) {
  // Workers log too: one line at a time, in the order their times were taken.
  const std::lock_guard order(logMutex_);
  try {
    const std::string line = core::FormatLogLine(LocalDateTimeText(DATE_SHORTDATE, true),
                                                 LocalDateTimeText(0, false), message);
    if (debugWindow_) ShowInDebugWindow(line);
    if (fileLog_) WriteToFile(line);
  } catch (...) {
    // Logging must never take the caller down; a lost line is the lesser harm.
  }
}

void TickerLog::ShowInDebugWindow(const std::string& line) {
  if (::GetCurrentThreadId() == uiThread_) {
    if (!debugForm_) debugForm_ = std::make_unique<TDebugForm>(debugOwner_);
    debugForm_->AddLine(line);
    return;
  }
  // Windows belong to the user-interface thread: hand the line over.
  {
    std::lock_guard lock(pendingMutex_);
    pendingLines_.push_back(line);
  }
  ::PostMessageA(Handle(), kShowPendingLines, 0, 0);
}

void TickerLog::ShowPendingLines() {
  std::deque<std::string> lines;
  {
    std::lock_guard lock(pendingMutex_);
    lines.swap(pendingLines_);
  }
  for (const std::string& line : lines) {
    if (debugWindow_) ShowInDebugWindow(line);
  }
}

LRESULT TickerLog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kShowPendingLines) {
    ShowPendingLines();
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

bool TickerLog::CheckAppDataDir() {
  std::string failed;
  {
    std::lock_guard lock(fileMutex_);
    failed = PrepareAppDataDir();
  }
  if (failed.empty()) return true;
  fileLog_ = false;
  Log(core::CouldNotCreate(failed));
  return false;
}

std::string TickerLog::AppDataDir() {
  if (!CheckAppDataDir()) return {};
  std::lock_guard lock(fileMutex_);
  return appDataDir_;
}

std::string TickerLog::PrepareAppDataDir() {
  if (!appDataDir_.empty()) return {};
  const std::string appData = platform::SpecialFolderPath(CSIDL_APPDATA);
  appDataDir_ =
      appData.empty() ? core::FolderOf(platform::ModuleFileName()) : appData + appDataSubfolder_;
  platform::SystemFolders folders;
  const auto failed = core::MakeFolderAndParent(folders, appDataDir_);
  if (!failed) return {};
  // Forget a folder that could not be made, so that nobody takes it for usable later.
  appDataDir_.clear();
  return *failed;
}

void TickerLog::WriteToFile(const std::string& line) {
  if (!CheckAppDataDir()) return;
  std::string failure;
  {
    std::lock_guard lock(fileMutex_);
    if (!fileLog_) return;
    auto mode = platform::AppendMode::AppendToEnd;
    if (logFilePath_.empty()) {
      logFilePath_ = appDataDir_ + core::ChangeExtension(platform::ModuleFileName(), ".log");
      mode = platform::AppendMode::StartNewFile;
    }
    try {
      platform::AppendLine(logFilePath_, line, mode);
      return;
    } catch (const platform::SystemError& e) {
      fileLog_ = false;
      failure = logFilePath_ + ": " + e.what();
    }
  }
  Log("Could not write the log file " + failure + " File logging is off for the rest of this run.");
}
