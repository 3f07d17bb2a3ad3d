#include "app/UrlFileThread.h"

#include <exception>

#include "app/ShownText.h"
#include "platform/CodePageText.h"

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
                             platform::FetchLimits limits, HWND bar,
                             std::shared_ptr<core::LogGate> log)
    : request_(std::move(request)),
      shownAddress_(core::AddressForLog(request_.address)),
      userAgent_(std::move(userAgent)),
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
    throw std::runtime_error(FailureText("FileUrlLastModifiedChanged", e, shownAddress_));
  }
  UrlHeaderRequest.Close();
  seen = headers ? core::LastModifiedOf(*headers) : std::string();
  Log("Url header:  LastModified: " + seen + " (" + shownAddress_ + ")");
  return core::ShouldDownload(request_, headers ? std::optional(seen) : std::nullopt);
}

core::TextLines UrlFileThread::GetFileUrlContents(const std::string& lastModified) {
  Log("Read Url " + shownAddress_ + " (LastModified: " + lastModified + ")");
  const std::string failure = "GetFileUrlContents: ";
  std::string body;
  std::string contentType;
  try {
    UrlRequest.Send(userAgent_, request_.address);
    const DWORD status = UrlRequest.StatusCode();
    // An error page is the server's text, not the ticker's.
    if (status < 200 || status > 299) {
      throw std::runtime_error(failure + "HTTP status " + std::to_string(status) + " for " +
                               shownAddress_);
    }
    contentType = UrlRequest.ContentType();
    body = UrlRequest.ReadBody();
  } catch (const platform::InternetError& e) {
    throw std::runtime_error(FailureText("GetFileUrlContents", e, shownAddress_));
  } catch (const platform::ResponseTooLarge&) {
    throw std::runtime_error(failure + "response too large for " + shownAddress_);
  }
  UrlRequest.Close();
  if (platform::ToSystemCodePage(body, core::EncodingOfContentType(contentType))) {
    Log(CannotShowAll(shownAddress_));
  }
  core::TextLines lines(std::move(body));
  lines.Lines();  // split here, off the user-interface thread
  return lines;
}

void UrlFileThread::EndGetUrlFileThread() {
  Log("Ending GetUrlFileThread");
  UrlHeaderRequest.Close();
  UrlRequest.Close();
}

void UrlFileThread::Abort() {
  UrlHeaderRequest.Abort();
  UrlRequest.Abort();
}
