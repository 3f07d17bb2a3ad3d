#include "app/UrlFileThread.h"

#include <exception>

#include "app/ShownText.h"
#include "app/SourceText.h"

namespace {

// "FileUrlLastModifiedChanged: Cannot open URL http://...: <the system's reason>"
std::string FailureText(const char* step, const platform::InternetError& error,
                        const std::string& url) {
  std::string text = std::string(step) + ": ";
  switch (error.stage()) {
    case platform::InternetStage::Initialize: text += "Unable to initialize Wininet"; break;
    case platform::InternetStage::OpenUrl: text += "Cannot open URL " + url; break;
    case platform::InternetStage::Read: text += "Cannot read URL " + url; break;
  }
  if (*error.what()) text += std::string(": ") + error.what();
  return text;
}

}  // namespace

UrlFileThread::UrlFileThread(core::WebRequest request, std::string userAgent,
                             std::string feedSeparator, platform::FetchLimits limits, HWND bar,
                             LogFunction log)
    : request_(std::move(request)),
      userAgent_(std::move(userAgent)),
      feedSeparator_(std::move(feedSeparator)),
      bar_(bar),
      UrlHeaderRequest(limits),
      UrlRequest(limits),
      log_(std::move(log)) {}

platform::UniqueHandle UrlFileThread::Start(const std::shared_ptr<UrlFileThread>& worker,
                                            DWORD& id) {
  auto owner = std::make_unique<std::shared_ptr<UrlFileThread>>(worker);
  platform::UniqueHandle thread(::CreateThread(nullptr, 0, &Run, owner.get(), 0, &id));
  if (thread) static_cast<void>(owner.release());  // the thread owns its share now
  return thread;
}

DWORD WINAPI UrlFileThread::Run(void* parameter) {
  const std::unique_ptr<std::shared_ptr<UrlFileThread>> self(
      static_cast<std::shared_ptr<UrlFileThread>*>(parameter));
  (*self)->GetUrlFileThread();
  return 0;
}

void UrlFileThread::GetUrlFileThread() {
  auto result = std::make_unique<core::WebResult>();
  result->address = request_.address;
  result->forced = request_.forced;
  try {
    std::string seen;
    if (FileUrlLastModifiedChanged(seen)) {
      result->lines = GetFileUrlContents(seen);
      result->lastModified = seen;
      result->status = core::WebStatus::NewLines;
    } else {
      result->status = core::WebStatus::Unchanged;
    }
  } catch (const std::exception& e) {
    result->status = core::WebStatus::Failed;
    result->error = e.what();
  }
  const auto status = static_cast<WPARAM>(result->status);
  result_.Put(std::move(result));
  ::PostMessageA(bar_, WM_GETURLFILE_DONE, status, static_cast<LPARAM>(::GetCurrentThreadId()));
  EndGetUrlFileThread();
}

bool UrlFileThread::FileUrlLastModifiedChanged(std::string& seen) {
  std::optional<std::string> headers;
  try {
    UrlHeaderRequest.Send(userAgent_, request_.address);
    headers = UrlHeaderRequest.RawHeaders();
  } catch (const platform::InternetError& e) {
    throw std::runtime_error(FailureText("FileUrlLastModifiedChanged", e, request_.address));
  }
  UrlHeaderRequest.Close();
  seen = headers ? core::LastModifiedOf(*headers) : std::string();
  Log("Url header:  LastModified: " + seen + " (" + request_.address + ")");
  return core::ShouldDownload(request_, headers ? std::optional(seen) : std::nullopt);
}

core::TextLines UrlFileThread::GetFileUrlContents(const std::string& lastModified) {
  Log("Read Url " + request_.address + " (LastModified: " + lastModified + ")");
  const std::string failure = "GetFileUrlContents: ";
  std::string body;
  std::string contentType;
  try {
    UrlRequest.Send(userAgent_, request_.address);
    const DWORD status = UrlRequest.StatusCode();
    // An error page is the server's text, not the ticker's.
    if (status < 200 || status > 299) {
      throw std::runtime_error(failure + "HTTP status " + std::to_string(status) + " for " +
                               request_.address);
    }
    contentType = UrlRequest.ContentType();
    body = UrlRequest.ReadBody();
  } catch (const platform::InternetError& e) {
    throw std::runtime_error(FailureText("GetFileUrlContents", e, request_.address));
  } catch (const platform::ResponseTooLarge&) {
    throw std::runtime_error(failure + "response too large for " + request_.address);
  }
  UrlRequest.Close();
  SourceText text = TextOfBody(std::move(body), core::EncodingOfContentType(contentType),
                               request_.address, feedSeparator_);
  // A broken feed is a failed download: the shown text stays, and the next check reads again.
  if (text.kind == SourceText::Kind::BrokenFeed) {
    Log(text.error);
    throw std::runtime_error(text.error);
  }
  if (text.lossy) Log(CannotShowAll(request_.address));
  if (text.kind == SourceText::Kind::Feed) Log(text.FeedLine(request_.address));
  text.lines.Lines();  // split here, off the user-interface thread
  return std::move(text.lines);
}

void UrlFileThread::EndGetUrlFileThread() {
  Log("Ending GetUrlFileThread");
  UrlHeaderRequest.Close();
  UrlRequest.Close();
}

void UrlFileThread::Abort() {
  {
    std::lock_guard lock(logMutex_);
    log_ = nullptr;
  }
  UrlHeaderRequest.Abort();
  UrlRequest.Abort();
}

void UrlFileThread::Log(const std::string& message) {
  std::lock_guard lock(logMutex_);
  if (log_) log_(message);
}
