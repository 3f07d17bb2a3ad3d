#include "app/UrlFileThread.h"

#include <exception>

#include "app/SourceText.h"
#include "core/web/Redirects.h"
#include "core/web/WebSchedule.h"

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

// Seconds since 1970 by the system's clock.
std::int64_t UnixNow() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const auto ticks = (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  constexpr std::int64_t kTicksPerSecond = 10000000;
  constexpr std::int64_t k1601To1970 = 11644473600;
  return ticks / kTicksPerSecond - k1601To1970;
}

}  // namespace

UrlFileThread::UrlFileThread(core::WebRequest request, std::string userAgent,
                             std::u16string feedSeparator, platform::FetchLimits limits, HWND bar,
                             std::shared_ptr<core::LogGate> log, UINT done)
    : SourceWorker(std::move(request), bar, done),
      shownAddress_(core::AddressForLog(request_.address)),
      userAgent_(std::move(userAgent)),
      feedSeparator_(std::move(feedSeparator)),
      UrlRequest(limits),
      log_(std::move(log)) {}

void UrlFileThread::GetUrlFileThread() {
  auto result = std::make_unique<core::WebResult>();
  result->address = request_.address;
  result->forced = request_.forced;
  try {
    std::string lastModified;  // in the logged form
    if (FileUrlLastModifiedChanged(*result, lastModified)) {
      result->lines = GetFileUrlContents(lastModified, result->validators);
      result->sourceList = std::move(sourceList_);
      result->refreshHintMs = refreshHintMs_;
      result->status = sameBody_ ? core::WebStatus::Unchanged : core::WebStatus::NewLines;
    } else {
      result->status = core::WebStatus::Unchanged;
    }
  } catch (const std::exception& e) {
    result->status = core::WebStatus::Failed;
    result->error = e.what();
  }
  Report(std::move(result));
  EndGetUrlFileThread();
}

bool UrlFileThread::FileUrlLastModifiedChanged(core::WebResult& result, std::string& lastModified) {
  std::string headers;
  std::optional<int> status;
  core::RedirectChain chain(request_.address);
  for (;;) {
    try {
      UrlRequest.Send(userAgent_, chain.Current(), core::ConditionalHeaders(request_));
      headers = UrlRequest.RawHeaders().value_or("");
    } catch (const platform::InternetError& e) {
      throw std::runtime_error(FailureText("FileUrlLastModifiedChanged", e, shownAddress_));
    }
    status = core::StatusOf(headers);
    if (!status || !core::IsRedirectStatus(*status)) break;
    const bool follow =
        chain.Follow(*status, core::HeaderValue(headers, "Location").value_or(std::string_view()));
    UrlRequest.Close();  // a redirect's body is nobody's text
    if (!follow) throw std::runtime_error("FileUrlLastModifiedChanged: " + chain.Error());
  }
  result.movedTo = chain.MovedTo();
  lastModified = core::LastModifiedOf(headers);
  Log("Url header:  LastModified: " + lastModified + " (" + shownAddress_ + ")");
  result.validators = core::ValidatorsOf(headers);
  switch (core::AnswerTo(request_, status, result.validators)) {
    case core::WebAnswer::NewText: return true;
    case core::WebAnswer::Unchanged:
      // Closed unread: an unchanged body costs the server nothing more.
      UrlRequest.Close();
      return false;
    case core::WebAnswer::Failed: break;
  }
  if (status == 429 || status == 503) result.retryAfterMs = core::RetryAfterMs(headers, UnixNow());
  // An error page is the server's text, not the ticker's.
  throw std::runtime_error("GetFileUrlContents: HTTP status " + std::to_string(status.value_or(0)) +
                           " for " + shownAddress_);
}

core::TextLines UrlFileThread::GetFileUrlContents(const std::string& lastModified,
                                                  core::Validators& validators) {
  Log("Read Url " + shownAddress_ + " (LastModified: " + lastModified + ")");
  const std::string failure = "GetFileUrlContents: ";
  std::string body;
  std::string contentType;
  try {
    contentType = UrlRequest.ContentType();
    body = UrlRequest.ReadBody();
  } catch (const platform::InternetError& e) {
    throw std::runtime_error(FailureText("GetFileUrlContents", e, shownAddress_));
  } catch (const platform::ResponseTooLarge& e) {
    throw std::runtime_error(failure + "response too large for " + shownAddress_ + ": " + e.what());
  }
  UrlRequest.Close();
  validators.bodyHash = core::BodyHash(body);
  // The same body again from a server that says nothing of its versions: nothing to make anew.
  sameBody_ = !request_.forced && validators.bodyHash == request_.validators.bodyHash;
  if (sameBody_) return {};
  return TextLinesOfBody(std::move(body), contentType);
}

core::TextLines UrlFileThread::TextLinesOfBody(std::string body, const std::string& contentType) {
  SourceText text = TextOfBody(std::move(body), core::EncodingOfContentType(contentType),
                               {request_.address, shownAddress_}, feedSeparator_);
  // A broken feed is a failed download: the shown text stays, and the next check reads again.
  if (text.kind == SourceText::Kind::BrokenFeed) {
    Log(text.error);
    throw std::runtime_error(text.error);
  }
  if (text.kind == SourceText::Kind::SourceList) sourceList_ = std::move(text.list);
  refreshHintMs_ = text.refreshHintMs;
  if (text.repairs > 0) Log(text.RepairLine(shownAddress_));
  if (text.kind == SourceText::Kind::Feed) Log(text.FeedLine(shownAddress_));
  text.lines.Lines();
  return std::move(text.lines);
}

void UrlFileThread::EndGetUrlFileThread() {
  Log("Ending GetUrlFileThread");
  UrlRequest.Close();
}

void UrlFileThread::Abort() {
  UrlRequest.Abort();
}
