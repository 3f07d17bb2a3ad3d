// The web text source: a worker per check fetches the file and hands its result back with
// WM_GETURLFILE_DONE; only this side applies it.

#include "app/ResourceIds.h"
#include "app/Ticker.h"
#include "core/web/WebAddressParts.h"
#include "core/web/WebSchedule.h"
#include "platform/CodePageText.h"

namespace {
// An exit waits this long for a worker stuck on a silent server, then ends without it.
constexpr DWORD kExitWaitMs = 3000;
}  // namespace

void TForm1::StartGetUrlFileThread() {
  Log("StartGetUrlFileThread");
  if (web_.UrlThreadHandle || web_.stopping) return;
  Log("Creating GetUrlFileThread");
  web_.UrlThreadId = 0;
  if (!web_.logGate) {
    web_.logGate = std::make_shared<core::LogGate>(
        [log = log_.get()](const std::string& message) { log->Log(message); });
  }
  auto worker = std::make_shared<UrlFileThread>(
      web_.source.NextRequest(values_.FileUrl), resources_->GetString(IDS_PRODUCT),
      platform::CodePageToUtf16(values_.FeedSeparator), web_.limits, Handle(), web_.logGate);
  web_.UrlThreadHandle = UrlFileThread::Start(worker, web_.UrlThreadId);
  if (!web_.UrlThreadHandle) {
    Log("GetUrlFileThread creation failed");
    ApplyAutoReload();
    return;
  }
  web_.worker = std::move(worker);
  // A call the system cannot interrupt may hold the worker past the deadline: the bar does not
  // wait for it beyond that.
  web_.TimerFetchDeadline.SetOnTimer([this] { TimerFetchDeadlineTimer(); });
  web_.TimerFetchDeadline.SetInterval(web_.limits.deadlineMs);
  web_.TimerFetchDeadline.SetEnabled(true);
}

void TForm1::WMGetUrlFileDone(WPARAM wParam, LPARAM lParam) {
  Log("Received Windows message: WParam: " + std::to_string(wParam));
  const auto sender = static_cast<DWORD>(lParam);
  if (!web_.worker || sender != web_.UrlThreadId) {
    // Not from the running worker: taking it would forget a worker that has not reported.
    Log("Ignored WM_GETURLFILE_DONE from thread " + std::to_string(sender) +
        ": not the running worker");
    return;
  }
  const std::unique_ptr<core::WebResult> result = web_.worker->TakeResult();
  EndFetch();
  if (!result) {
    ApplyAutoReload();
    return;
  }
  ApplyWebResult(*result);
}

void TForm1::TimerFetchDeadlineTimer() {
  web_.TimerFetchDeadline.SetEnabled(false);
  if (!web_.worker) return;
  // Closing the request ends a waiting call where the system can; a report that still comes
  // is from a worker no longer running, and is ignored.
  web_.worker->Abort();
  core::WebResult result;
  result.address = web_.worker->Request().address;
  result.forced = web_.worker->Request().forced;
  result.error = "GetUrlFileThread: Cannot fetch URL " + core::AddressForLog(result.address) +
                 ": the fetch took longer than " + core::SecondsText(web_.limits.deadlineMs) + " s";
  EndFetch();
  ApplyWebResult(result);
}

void TForm1::EndFetch() {
  web_.TimerFetchDeadline.SetEnabled(false);
  web_.worker.reset();
  web_.UrlThreadHandle.reset();
  web_.UrlThreadId = 0;
}

void TForm1::ApplyWebResult(core::WebResult& result) {
  if (!core::ResultStillWanted(result, values_.UseFileUrl, values_.FileUrl)) {
    Log("Dropped the result for " + core::AddressForLog(result.address) +
        ": the bar shows another source now");
    // A check of the address now shown was asked for while this one ran: make it now.
    if (values_.UseFileUrl) TimerGetFileTimer();
    return;
  }
  switch (result.status) {
    case core::WebStatus::NewLines:
      // Kept only once shown, so that a text that could not be shown is fetched again.
      if (LoadWebLines(result)) web_.source.Finished(result);
      break;
    case core::WebStatus::Failed:
      Log("GetUrlFileThread Exception: " + result.error);
      web_.source.Finished(result);
      break;
    case core::WebStatus::Unchanged: break;
  }
  ScheduleNextWebCheck(result);
}

void TForm1::ScheduleNextWebCheck(const core::WebResult& result) {
  const bool failed = result.status == core::WebStatus::Failed;
  web_.lastCheck = core::After(web_.lastCheck, failed, result.retryAfterMs, result.address);
  const std::int64_t delay =
      core::NextCheckDelayMs(web_.lastCheck, values_.GetFileDelay, web_.random);
  if (failed && values_.UseAutoReload) {
    Log("Web source: next check in " + core::SecondsText(delay) + " s");
  }
  ArmSourceCheck(static_cast<UINT>(delay));
}

void TForm1::ForceWebDownload() {
  web_.source.ForceDownload();
}

void TForm1::StopUrlWorker() {
  // A report handled while the exit waits may ask for the next check.
  web_.stopping = true;
  // Workers that reported may still be ending: none of them writes to the log from here on.
  if (web_.logGate) web_.logGate->Close();
  web_.TimerFetchDeadline.SetEnabled(false);  // the exit waits on its own terms
  if (!web_.worker) return;
  web_.worker->Abort();
  // Messages are handled meanwhile: the worker's report ends the wait.
  const DWORD start = ::GetTickCount();
  while (web_.UrlThreadHandle) {
    const DWORD waited = ::GetTickCount() - start;
    if (waited >= kExitWaitMs) break;
    HANDLE thread = web_.UrlThreadHandle.get();
    ::MsgWaitForMultipleObjects(1, &thread, FALSE, kExitWaitMs - waited, QS_ALLINPUT);
    application_.ProcessMessages();
  }
  // A worker that still waits for its server owns what it uses and ends with the process.
  EndFetch();
}
