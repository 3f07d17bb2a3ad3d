#pragma once
// Runs every source of the bar: its own web file, and the sources of a list that its file or
// address turned out to be. One bookkeeping of the workers for all of them, one deadline for
// every fetch, one way into the log, one wait at exit. The bar tells it which source it shows
// and gets back the lines to show; the rules of what is due live in core::SourceSchedule.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/SourceWorker.h"
#include "app/UrlFileThread.h"
#include "core/program/LogGate.h"
#include "core/sources/SourceSchedule.h"
#include "core/text/TextPipeline.h"
#include "platform/Application.h"
#include "platform/Handles.h"
#include "platform/Timer.h"
#include "platform/WinInet.h"

// A list source's worker reports with this message; wParam and lParam as WM_GETURLFILE_DONE's.
inline constexpr UINT WM_SOURCE_DONE = WM_APP + 2;

// What the runner needs of the bar.
class SourceRunnerClient {
 public:
  virtual ~SourceRunnerClient() = default;
  virtual void Log(const std::string& message) = 0;
  // The bar's own web file gave new text; false when it could not be shown.
  virtual bool ShowRootLines(core::TextLines lines) = 0;
  // The sources of the list gave these lines together, to be shown as they are.
  virtual void ShowListLines(core::TextLines lines) = 0;
  // The bar's own source is checked again after `delayMs`, by its own timer.
  virtual void ArmRootCheck(std::int64_t delayMs) = 0;
  // The address checked is no longer the bar's: the bar checks its new one.
  virtual void CheckRootAgain() = 0;
  // A source of the list has been checked: `failing` of `total` failed their last check.
  virtual void SourcesChecked(std::size_t failing, std::size_t total) = 0;
};

// The values the runner works by, as the bar has them.
struct SourceRunnerValues {
  std::u16string feedSeparator;
  core::TextOptions textOptions;
  bool showNames = true;
  std::int64_t getFileDelayMs = 0;
  bool autoReload = false;
};

class SourceRunner {
 public:
  // Workers report to `window` and name the program to servers as `userAgent`.
  SourceRunner(SourceRunnerClient& client, platform::Application& application, HWND window,
               std::string userAgent);
  ~SourceRunner();
  SourceRunner(const SourceRunner&) = delete;
  SourceRunner& operator=(const SourceRunner&) = delete;

  void SetValues(SourceRunnerValues values);
  void SetLimits(const platform::FetchLimits& limits);
  // The bar's own source, a path or a web address: another one drops the list the old one gave.
  void SetRoot(const std::string& address);

  // The bar's web file: a worker checks it unless one does already.
  void StartGetUrlFileThread();
  // Its next check downloads whatever the server says.
  void ForceRootDownload();

  // The bar's source is a list: its sources replace the shown text.
  void UseSourceList(core::OpmlReading list, const std::string& listAddress);
  void EndSourceList();
  bool HasList() const { return schedule_.HasList(); }
  // The sources of the list, names and addresses in UTF-8.
  std::vector<core::SourceEntry> ListedSources() const;
  // Every source of the list is checked again now.
  void ForceListReads();
  // Every source of the list asked now whether it changed.
  void CheckListNow();
  // What the user is told of the source of the list at `address`: its last good check or why
  // its last check failed; empty for an address the list does not hold.
  std::string StatusOf(const std::string& address) const;
  // The list's lines again, after a change of how they are shown.
  void ShowSources();

  // A worker's report (WM_GETURLFILE_DONE or WM_SOURCE_DONE).
  void OnFetchDone(UINT message, WPARAM wParam, LPARAM lParam);

  // No source is checked while the options are open; afterwards each resumes as it was due.
  void Hold();
  void Resume();
  // At exit: no check starts any more, and workers get a moment to end.
  void Stop();

 private:
  struct Worker {
    std::uint64_t fetchId = 0;
    std::shared_ptr<SourceWorker> thread;
    platform::UniqueHandle handle;
    DWORD threadId = 0;
  };

  std::int64_t NowMs() const;
  std::shared_ptr<core::LogGate> LogGate();
  bool StartFetch(const core::SourceCheck& check, core::SourceState& source, UINT done);
  bool StartWorker(const core::SourceCheck& check, std::shared_ptr<SourceWorker> thread);
  void AbandonedEnded();
  void TellMoved(const core::SourceState& source, const core::WebResult& result);
  void TakeRootResult(core::SourceState& root, core::WebResult& result);
  void TakeListResult(core::SourceState& source, core::WebResult* result);
  void PollSources();
  void ArmSourcePoll();
  void ShowSourcesSoon();
  void ArmDeadline();
  void DeadlineTimer();
  void TakeLocalResult(core::SourceState& source, core::WebResult* result);
  // After a member's check: its state for the user, and the count of those failing.
  void Checked(core::SourceState& source, bool failed);
  // A member's failure, logged when it differs from the last one.
  void LogFailure(core::SourceState& source, const std::string& error);
  // The lines a member keeps, cut to its share; true when they are new.
  bool KeepLines(core::SourceState& source, core::TextLines read);
  std::int64_t ListDelayMs(const core::SourceState& source) const;
  void Log(const std::string& message) { client_.Log(message); }

  SourceRunnerClient& client_;
  platform::Application& application_;
  const HWND window_;
  const std::string userAgent_;
  SourceRunnerValues values_;
  platform::FetchLimits limits_;
  core::SourceSchedule schedule_;
  // Also those given up at their deadline: they count until they report.
  std::vector<Worker> workers_;
  std::shared_ptr<core::LogGate> logGate_;
  core::SeededRandom random_{std::random_device{}()};
  // Set when the exit begins: no worker starts after it, where none would abort it.
  bool stopping_ = false;
  // The bar's own check waits for a worker given up to end.
  bool rootWaiting_ = false;
  bool abandonedLogged_ = false;
  std::int64_t floorLoggedFor_ = 0;  // the GetFileDelay last said to be below the floor
  platform::Timer TimerSources{0};
  platform::Timer TimerShowSources{500};
  // Runs while a worker does: at the earliest deadline the runner stops waiting for it.
  platform::Timer TimerFetchDeadline{0};
};
