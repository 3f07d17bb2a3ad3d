// The web text source: a worker per check fetches the file and hands its result back with
// WM_GETURLFILE_DONE; only this side applies it.

#include "app/ResourceIds.h"
#include "app/Ticker.h"

namespace {
// An exit waits this long for a worker stuck on a silent server, then ends without it.
constexpr DWORD kExitWaitMs = 3000;
}  // namespace

void TForm1::StartGetUrlFileThread() {
  Log("StartGetUrlFileThread");
  if (web_.UrlThreadHandle) return;
  Log("Creating GetUrlFileThread");
  web_.UrlThreadId = 0;
  auto worker = std::make_shared<UrlFileThread>(
      web_.source.NextRequest(values_.FileUrl), resources_->GetString(IDS_PRODUCT),
      values_.FeedSeparator, web_.limits, Handle(),
      [log = log_.get()](const std::string& message) { log->Log(message); });
  web_.UrlThreadHandle = UrlFileThread::Start(worker, web_.UrlThreadId);
  if (!web_.UrlThreadHandle) {
    Log("GetUrlFileThread creation failed");
    return;
  }
  web_.worker = std::move(worker);
}

void TForm1::WMGetUrlFileDone(WPARAM wParam) {
  Log("Received Windows message: WParam: " + std::to_string(wParam));
  if (!web_.worker) return;
  const std::unique_ptr<core::WebResult> result = web_.worker->TakeResult();
  web_.worker.reset();
  web_.UrlThreadHandle.reset();
  web_.UrlThreadId = 0;
  if (!result) return;
  if (!core::ResultStillWanted(*result, values_.UseFileUrl, values_.FileUrl)) {
    Log("Dropped the result for " + result->address + ": the bar shows another source now");
    return;
  }
  switch (result->status) {
    case core::WebStatus::NewLines:
      // Kept only once shown, so that a text that could not be shown is fetched again.
      if (LoadWebLines(std::move(result->lines))) web_.source.Finished(*result);
      break;
    case core::WebStatus::Failed:
      Log("GetUrlFileThread Exception: " + result->error);
      web_.source.Finished(*result);
      break;
    case core::WebStatus::Unchanged: break;
  }
}

void TForm1::ForceWebDownload() {
  web_.source.ForceDownload();
}

void TForm1::StopUrlWorker() {
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
  web_.worker.reset();
  web_.UrlThreadHandle.reset();
  web_.UrlThreadId = 0;
}
