#include "app/TickerLog.h"

#include <shlobj.h>

#include "core/LogLine.h"
#include "core/ProgramPaths.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/SystemError.h"

namespace {

constexpr UINT kShowPendingLines = WM_APP + 20;

std::string LocalDateTimeText(DWORD flags, bool date) {
  char buffer[128] = {};
  const int length =
      date ? ::GetDateFormatA(LOCALE_USER_DEFAULT, flags, nullptr, nullptr, buffer, sizeof buffer)
           : ::GetTimeFormatA(LOCALE_USER_DEFAULT, flags, nullptr, nullptr, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer) : std::string();
}

// Writes the line and a line break; false with the system's error code on failure.
bool AppendLine(const std::string& path, DWORD disposition, const std::string& line, DWORD& error) {
  platform::UniqueHandle file(::CreateFileA(
      path.c_str(), disposition == CREATE_ALWAYS ? GENERIC_WRITE : FILE_APPEND_DATA,
      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = ::GetLastError();
    return false;
  }
  const std::string text = line + "\r\n";
  DWORD written = 0;
  if (!::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
      written != text.size() || !::FlushFileBuffers(file.get())) {
    error = ::GetLastError();
    return false;
  }
  return true;
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
  Log("Could not create " + failed);
  return false;
}

std::string TickerLog::PrepareAppDataDir() {
  if (!appDataDir_.empty()) return {};
  const std::string appData = platform::SpecialFolderPath(CSIDL_APPDATA);
  appDataDir_ =
      appData.empty() ? core::FolderOf(platform::ModuleFileName()) : appData + appDataSubfolder_;
  if (platform::FolderExists(appDataDir_)) return {};
  const std::string vendor = core::ParentFolderOf(appDataDir_);
  std::string failed;
  if (!platform::FolderExists(vendor) && !platform::CreateFolder(vendor)) {
    failed = vendor;
  } else if (!platform::CreateFolder(appDataDir_)) {
    failed = appDataDir_;
  }
  // Forget a folder that could not be made, so that nobody takes it for usable later.
  if (!failed.empty()) appDataDir_.clear();
  return failed;
}

void TickerLog::WriteToFile(const std::string& line) {
  if (!CheckAppDataDir()) return;
  std::string failedPath;
  DWORD error = 0;
  {
    std::lock_guard lock(fileMutex_);
    if (!fileLog_) return;
    DWORD disposition = OPEN_ALWAYS;
    if (logFilePath_.empty()) {
      logFilePath_ = appDataDir_ + core::ChangeExtension(platform::ModuleFileName(), ".log");
      disposition = CREATE_ALWAYS;
    }
    if (AppendLine(logFilePath_, disposition, line, error)) return;
    fileLog_ = false;
    failedPath = logFilePath_;
  }
  Log("Could not write the log file " + failedPath + ": " + platform::SystemMessage(error) +
      " File logging is off for the rest of this run.");
}
