#include "app/SourceRunner.h"

#include <algorithm>
#include <climits>
#include <new>
#include <utility>

#include "app/LocalFileThread.h"
#include "app/SourceText.h"
#include "core/feed/FeedReader.h"
#include "core/program/ProgramPaths.h"
#include "core/sources/ListedSources.h"
#include "core/sources/SourceLines.h"
#include "core/sources/SourceStatus.h"
#include "core/text/FileStamp.h"
#include "core/web/WebAddressParts.h"
#include "platform/CodePageText.h"

namespace {

// An exit waits this long for workers stuck on silent servers, then ends without them.
constexpr DWORD kExitWaitMs = 3000;

// A list's names stay UTF-8 for the shown text; the log is in the system's code page.
std::string NameForLog(const core::SourceState& source) {
  return platform::Utf8ToCodePage(source.entry.name);
}

UINT TimerMs(std::int64_t ms) {
  return static_cast<UINT>(std::clamp<std::int64_t>(ms, 1, INT_MAX));
}

}  // namespace

SourceRunner::SourceRunner(SourceRunnerClient& client, platform::Application& application,
                           HWND window, std::string userAgent)
    : client_(client),
      application_(application),
      window_(window),
      userAgent_(std::move(userAgent)) {
  TimerSources.SetOnTimer([this] { PollSources(); });
  TimerShowSources.SetOnTimer([this] {
    TimerShowSources.SetEnabled(false);
    ShowSources();
  });
  TimerFetchDeadline.SetOnTimer([this] { DeadlineTimer(); });
}

SourceRunner::~SourceRunner() = default;

std::int64_t SourceRunner::NowMs() const {
  return static_cast<std::int64_t>(::GetTickCount64());
}

void SourceRunner::SetValues(SourceRunnerValues values) {
  values_ = std::move(values);
  const std::int64_t delay = values_.autoReload ? values_.getFileDelayMs : 0;
  if (delay > 0 && delay < core::kWebFloorMs && delay != floorLoggedFor_) {
    Log("Web sources: GetFileDelay " + std::to_string(delay) +
        " ms is below the floor; a server is asked at most once a second");
  }
  floorLoggedFor_ = delay;
}

void SourceRunner::SetLimits(const platform::FetchLimits& limits) {
  limits_ = limits;
  schedule_.SetDeadline(limits.deadlineMs);
  schedule_.SetFloor(limits.checkFloorMs);
}

void SourceRunner::SetRoot(const std::string& address) {
  const bool hadList = schedule_.HasList();
  schedule_.SetRoot({core::FileNameOf(address), address});
  if (hadList && !schedule_.HasList()) EndSourceList();
}

std::shared_ptr<core::LogGate> SourceRunner::LogGate() {
  if (!logGate_) {
    logGate_ = std::make_shared<core::LogGate>(
        [&client = client_](const std::string& message) { client.Log(message); });
  }
  return logGate_;
}

bool SourceRunner::StartFetch(const core::SourceCheck& check, core::SourceState& source,
                              UINT done) {
  if (source.kind == core::SourceKind::Local) {
    return StartWorker(
        check, std::make_shared<LocalFileThread>(source.entry.address, source.stamp,
                                                 values_.feedSeparator, window_, WM_SOURCE_DONE));
  }
  core::WebRequest request = source.web.NextRequest(source.entry.address);
  // The bar's own text is made again at every download, as it always was; a list's sources
  // and the list itself skip a body they have already.
  if (source.role == core::SourceRole::Root && !schedule_.HasList())
    request.validators.bodyHash = 0;
  return StartWorker(
      check, std::make_shared<UrlFileThread>(std::move(request), userAgent_, values_.feedSeparator,
                                             limits_, window_, LogGate(), done));
}

bool SourceRunner::StartWorker(const core::SourceCheck& check,
                               std::shared_ptr<SourceWorker> thread) {
  Worker worker{check.fetchId, std::move(thread), {}, 0};
  worker.handle = SourceWorker::Start(worker.thread, worker.threadId);
  if (!worker.handle) {
    schedule_.Ended(check.fetchId);
    return false;
  }
  workers_.push_back(std::move(worker));
  ArmDeadline();
  return true;
}

void SourceRunner::StartGetUrlFileThread() {
  Log("StartGetUrlFileThread");
  core::SourceState* root = schedule_.Root();
  if (stopping_ || !root || root->running) return;
  const std::int64_t now = NowMs();
  const std::optional<core::SourceCheck> check = schedule_.StartRoot(now);
  if (!check) {
    if (schedule_.Held()) return;
    // Too many workers given up still run: the check comes when one of them ends.
    rootWaiting_ = schedule_.TooManyAbandoned();
    // Else it is too early: its server asked to be left alone, or was just asked.
    if (!rootWaiting_) client_.ArmRootCheck(schedule_.EarliestStartOf(*root) - now);
    return;
  }
  Log("Creating GetUrlFileThread");
  if (!StartFetch(*check, *root, WM_GETURLFILE_DONE)) {
    Log("GetUrlFileThread creation failed");
    client_.ArmRootCheck(values_.getFileDelayMs);
  }
}

void SourceRunner::ForceRootDownload() {
  if (core::SourceState* root = schedule_.Root()) root->web.ForceDownload();
}

void SourceRunner::OnFetchDone(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool root = message == WM_GETURLFILE_DONE;
  if (root) Log("Received Windows message: WParam: " + std::to_string(wParam));
  const auto sender = static_cast<DWORD>(lParam);
  const auto worker = std::find_if(workers_.begin(), workers_.end(),
                                   [sender](const Worker& w) { return w.threadId == sender; });
  if (worker == workers_.end()) {
    // Not from a running worker: taking it would forget a worker that has not reported.
    if (root) {
      Log("Ignored WM_GETURLFILE_DONE from thread " + std::to_string(sender) +
          ": not the running worker");
    }
    return;
  }
  std::unique_ptr<core::WebResult> result = worker->thread->TakeResult();
  const std::optional<std::uint64_t> sourceId = schedule_.Ended(worker->fetchId);
  workers_.erase(worker);
  ArmDeadline();
  // Given up at its deadline: its failure has been taken already.
  if (!sourceId) {
    AbandonedEnded();
    return;
  }
  core::SourceState* source = schedule_.Find(*sourceId);
  if (root && (!source || source->role != core::SourceRole::Root)) {
    Log("Dropped the result for " + core::AddressForLog(result ? result->address : "") +
        ": the bar shows another source now");
    // A check of the address now shown was asked for while this one ran: make it now.
    client_.CheckRootAgain();
    return;
  }
  if (root) {
    if (result) {
      TakeRootResult(*source, *result);
    } else {
      client_.ArmRootCheck(values_.getFileDelayMs);
    }
    return;
  }
  // A source that left the list meanwhile takes nothing.
  if (source && source->kind == core::SourceKind::Local) {
    TakeLocalResult(*source, result.get());
  } else if (source) {
    TakeListResult(*source, result.get());
  }
  PollSources();
}

void SourceRunner::AbandonedEnded() {
  if (schedule_.TooManyAbandoned()) return;
  abandonedLogged_ = false;
  if (std::exchange(rootWaiting_, false)) StartGetUrlFileThread();
  PollSources();
}

void SourceRunner::TellMoved(const core::SourceState& source, const core::WebResult& result) {
  if (!result.movedTo || source.redirectLogged) return;
  Log("Source " + NameForLog(source) + ": " + core::AddressForLog(result.address) +
      " has moved for good to " + core::AddressForLog(*result.movedTo));
}

void SourceRunner::TakeRootResult(core::SourceState& root, core::WebResult& result) {
  TellMoved(root, result);
  root.redirectLogged = root.redirectLogged || result.movedTo.has_value();
  switch (result.status) {
    case core::WebStatus::NewLines:
      // Kept only once shown, so that a text that could not be shown is fetched again.
      if (result.sourceList) {
        root.web.Finished(result);
        UseSourceList(std::move(*result.sourceList), result.address);
      } else if (client_.ShowRootLines(std::move(result.lines))) {
        root.web.Finished(result);
      }
      break;
    case core::WebStatus::Failed:
      Log("GetUrlFileThread Exception: " + result.error);
      root.web.Finished(result);
      break;
    case core::WebStatus::Unchanged: break;
  }
  const bool failed = result.status == core::WebStatus::Failed;
  const std::int64_t delay = schedule_.Finished(root, failed, result.retryAfterMs, NowMs(),
                                                values_.getFileDelayMs, random_);
  if (failed && values_.autoReload) {
    Log("Web source: next check in " + core::SecondsText(delay) + " s");
  }
  client_.ArmRootCheck(delay);
}

void SourceRunner::ArmDeadline() {
  const std::optional<std::int64_t> next = schedule_.NextDeadlineMs();
  if (!next) {
    TimerFetchDeadline.SetEnabled(false);
    return;
  }
  TimerFetchDeadline.SetInterval(TimerMs(*next - NowMs()));
  TimerFetchDeadline.SetEnabled(true);
}

// A call the system cannot interrupt may hold a worker past the deadline: the runner does not
// wait for it beyond that. Its report, when it comes, belongs to nobody.
void SourceRunner::DeadlineTimer() {
  TimerFetchDeadline.SetEnabled(false);
  bool listChecked = false;
  for (const core::SourceCheck& check : schedule_.Overdue(NowMs())) {
    const auto worker = std::find_if(workers_.begin(), workers_.end(),
                                     [&](const Worker& w) { return w.fetchId == check.fetchId; });
    if (worker == workers_.end()) continue;
    worker->thread->Abort();
    core::WebResult result;
    result.address = worker->thread->Request().address;
    result.forced = worker->thread->Request().forced;
    result.error = "GetUrlFileThread: Cannot fetch URL " + core::AddressForLog(result.address) +
                   ": the fetch took longer than " + core::SecondsText(limits_.deadlineMs) + " s";
    core::SourceState* source = schedule_.Find(check.sourceId);
    if (!source) continue;
    if (check.role == core::SourceRole::Root) {
      TakeRootResult(*source, result);
    } else {
      TakeListResult(*source, &result);
      listChecked = true;
    }
  }
  if (schedule_.TooManyAbandoned() && !std::exchange(abandonedLogged_, true)) {
    Log("Sources: " + std::to_string(schedule_.Abandoned()) +
        " checks given up still wait for their servers; no check starts until one ends");
  }
  ArmDeadline();
  if (listChecked) PollSources();
}

void SourceRunner::Hold() {
  schedule_.Hold(NowMs());
  TimerSources.SetEnabled(false);
}

void SourceRunner::Resume() {
  schedule_.Resume(NowMs());
  ArmSourcePoll();
}

void SourceRunner::Stop() {
  // A report handled while the exit waits may ask for the next check.
  stopping_ = true;
  EndSourceList();
  // Workers that reported may still be ending: none of them writes to the log from here on.
  if (logGate_) logGate_->Close();
  TimerFetchDeadline.SetEnabled(false);  // the exit waits on its own terms
  for (Worker& worker : workers_) worker.thread->Abort();
  // Messages are handled meanwhile: each worker's report takes it off the list.
  const DWORD start = ::GetTickCount();
  while (!workers_.empty()) {
    const DWORD waited = ::GetTickCount() - start;
    if (waited >= kExitWaitMs) break;
    std::vector<HANDLE> threads(workers_.size());
    std::transform(workers_.begin(), workers_.end(), threads.begin(),
                   [](const Worker& worker) { return worker.handle.get(); });
    ::MsgWaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), FALSE,
                                kExitWaitMs - waited, QS_ALLINPUT);
    application_.ProcessMessages();
  }
  // Workers that still wait for their servers own what they use and end with the process.
  workers_.clear();
}

// The list of sources: each checked on its own (web sources on workers, at most two at a time;
// files here, as the bar's own file is) and their lines shown together, each group behind its
// source's name.

void SourceRunner::UseSourceList(core::OpmlReading list, const std::string& listAddress) {
  const std::string shown = core::AddressForLog(listAddress);
  Log("Sources: " + std::to_string(list.sources.size()) + " sources in " + shown);
  if (list.ignored > 0) {
    Log("Sources: " + std::to_string(list.ignored) + " sources beyond the first " +
        std::to_string(core::kMaxSources) + " ignored in " + shown);
  }
  for (const std::string& name : list.nested) {
    Log("Sources: " + platform::Utf8ToCodePage(name) + " is a source list, not followed");
  }
  const bool localList = core::SourceKindOf(listAddress) == core::SourceKind::Local;
  for (core::SourceEntry& source : list.sources) {
    source.address = platform::Utf8ToCodePage(source.address);
  }
  // A list from the web names web sources only: none of its entries reaches the user's files.
  core::ListedSources listed = core::SourcesOfList(std::move(list.sources), !localList);
  for (const std::string& line : listed.log) Log(line);
  for (core::SourceEntry& source : listed.sources) {
    if (core::SourceKindOf(source.address) == core::SourceKind::Local) {
      source.address = core::LocalSourcePath(source.address, listAddress);
    }
  }
  schedule_.SetMembers(listed.sources, NowMs());
  ShowSources();
  PollSources();
}

void SourceRunner::EndSourceList() {
  if (schedule_.HasList() && !stopping_) client_.SourcesChecked(0, 0);
  schedule_.ClearMembers();
  TimerSources.SetEnabled(false);
  TimerShowSources.SetEnabled(false);
}

std::vector<core::SourceEntry> SourceRunner::ListedSources() const {
  std::vector<core::SourceEntry> list;
  for (const core::SourceState& source : schedule_.Members()) list.push_back(source.entry);
  return list;
}

void SourceRunner::ForceListReads() {
  if (!schedule_.HasList()) return;
  schedule_.ForceMembers(NowMs());
  ArmSourcePoll();
}

std::string SourceRunner::StatusOf(const std::string& address) const {
  for (const core::SourceState& source : schedule_.Members()) {
    if (source.entry.address != address) continue;
    return source.lastFailure.empty() ? source.lastGood : core::PlainFailure(source.lastFailure);
  }
  return {};
}

void SourceRunner::Checked(core::SourceState& source, bool failed) {
  if (!failed) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char time[8] = {};
    ::wsprintfA(time, "%02u:%02u", now.wHour, now.wMinute);
    source.lastGood = std::string("checked at ") + time + ", " +
                      std::to_string(source.lines.Lines().size()) + " lines";
  }
  const std::vector<core::SourceState>& all = schedule_.Members();
  const auto failing = std::count_if(
      all.begin(), all.end(), [](const core::SourceState& s) { return !s.lastFailure.empty(); });
  client_.SourcesChecked(static_cast<std::size_t>(failing), all.size());
}

void SourceRunner::CheckListNow() {
  if (!schedule_.HasList()) return;
  schedule_.ForceMembers(NowMs(), core::ReadAgain::Ask);
  PollSources();
}

void SourceRunner::ShowSources() {
  if (!schedule_.HasList()) return;
  std::vector<core::SourceState>& all = schedule_.Members();
  std::vector<core::SourceGroup> groups(all.size());
  std::transform(all.begin(), all.end(), groups.begin(), [](core::SourceState& source) {
    return core::SourceGroup{source.entry.name, &source.lines, &source.cutLogged};
  });
  const core::SourceNames names =
      values_.showNames ? core::SourceNames::Shown : core::SourceNames::Hidden;
  // The separator after each headline, as the feeds' lines end with it: it opens nothing.
  const std::u16string separator = core::OneLineSeparator(values_.feedSeparator);
  std::vector<bool> cutBefore(all.size());
  std::transform(all.begin(), all.end(), cutBefore.begin(),
                 [](const core::SourceState& source) { return source.cutLogged; });
  core::TextLines merged =
      core::MergeSourceLines(groups, names, separator, core::kMaxListTextUnits);
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].cutLogged && !cutBefore[i]) {
      Log("Source " + NameForLog(all[i]) + ": lines left out, the bar shows 16 MB of text at most");
    }
  }
  if (merged.Empty()) merged = core::TextLines::OneLine(u"");
  client_.ShowListLines(std::move(merged));
}

// Sources that report one after another are shown together: each showing builds the whole
// text again, and a burst of them would leave the memory of every size in between behind.
void SourceRunner::ShowSourcesSoon() {
  if (!TimerShowSources.Enabled()) TimerShowSources.SetEnabled(true);
}

void SourceRunner::PollSources() {
  TimerSources.SetEnabled(false);
  if (!schedule_.HasList() || stopping_) return;
  for (const core::SourceCheck& check : schedule_.StartDueMembers(NowMs())) {
    core::SourceState* source = schedule_.Find(check.sourceId);
    if (!StartFetch(check, *source, WM_SOURCE_DONE)) {
      LogFailure(*source, "its worker could not be created");
      schedule_.Finished(*source, true, std::nullopt, NowMs(), ListDelayMs(*source), random_);
    }
  }
  ArmSourcePoll();
}

void SourceRunner::ArmSourcePoll() {
  const std::optional<std::int64_t> next = schedule_.NextMemberDueMs(NowMs());
  if (!next) return;
  TimerSources.SetInterval(TimerMs(*next - NowMs()));
  TimerSources.SetEnabled(true);
}

std::int64_t SourceRunner::ListDelayMs(const core::SourceState& source) const {
  // A list's feeds refresh by themselves even without automatic reload: a ticker of news that
  // never changes is no use. A file keeps to the bar's own rule.
  if (source.kind == core::SourceKind::Web) {
    return core::ListRefreshMs(values_.autoReload, values_.getFileDelayMs, source.refreshHintMs);
  }
  return values_.autoReload ? values_.getFileDelayMs : 0;
}

void SourceRunner::LogFailure(core::SourceState& source, const std::string& error) {
  if (error == source.lastFailure) return;
  source.lastFailure = error;
  Log("Source " + NameForLog(source) + ": " + error);
}

bool SourceRunner::KeepLines(core::SourceState& source, core::TextLines read) {
  try {
    bool cut = false;
    source.lines =
        core::SelectedLines(std::move(read), values_.textOptions, core::kMaxSourceTextUnits, &cut);
    if (cut && !std::exchange(source.cutLogged, true)) {
      Log("Source " + NameForLog(source) + ": only its first lines are shown, 1 MB of text");
    }
    return true;
  } catch (const std::bad_alloc&) {
    LogFailure(source, "not enough memory to show it");
    return false;
  }
}

void SourceRunner::TakeListResult(core::SourceState& source, core::WebResult* result) {
  bool failed = !result || result->status == core::WebStatus::Failed;
  if (result && result->status == core::WebStatus::NewLines && result->sourceList) {
    result->error = "a source list, not followed";
    failed = true;
  }
  if (result) {
    TellMoved(source, *result);
    source.redirectLogged = source.redirectLogged || result->movedTo.has_value();
  }
  if (failed) {
    // Its last good lines stay.
    LogFailure(source, result ? result->error : "no result");
  } else if (result->status == core::WebStatus::NewLines) {
    source.refreshHintMs = result->refreshHintMs;
    failed = !KeepLines(source, std::move(result->lines));
    if (!failed) ShowSourcesSoon();
  }
  if (!failed) source.lastFailure.clear();
  if (result && result->status != core::WebStatus::Unchanged) source.web.Finished(*result);
  const std::optional<std::int64_t> retryAfter =
      result ? result->retryAfterMs : std::optional<std::int64_t>();
  schedule_.Finished(source, failed, retryAfter, NowMs(), ListDelayMs(source), random_);
  Checked(source, failed);
}

void SourceRunner::TakeLocalResult(core::SourceState& source, core::WebResult* result) {
  bool failed = !result || result->status == core::WebStatus::Failed;
  if (result) {
    const core::StampCheck check = core::CheckFileStamp(result->stamp, source.stamp);
    // As the bar's own file: a missing file shows nothing.
    if (check.fileMissing && !source.lines.Empty()) {
      source.lines.Clear();
      ShowSourcesSoon();
    }
    // A file that could not be read is read again at the next check, changed or not.
    source.stamp =
        failed ? core::StampAfterRead(result->stamp, core::ReadOutcome::Failed) : result->stamp;
  }
  if (failed) {
    LogFailure(source, result ? result->error : "no result");
  } else {
    source.lastFailure.clear();
    if (result->status == core::WebStatus::NewLines) {
      if (KeepLines(source, std::move(result->lines))) {
        ShowSourcesSoon();
      } else {
        failed = true;
        source.stamp = core::StampAfterRead(source.stamp, core::ReadOutcome::Failed);
      }
    }
  }
  schedule_.Finished(source, failed, std::nullopt, NowMs(), ListDelayMs(source), random_);
  Checked(source, failed);
}
