#include "platform/WinInet.h"

#include <algorithm>
#include <vector>

#include "core/web/WebAddressParts.h"
#include "core/web/WebSchedule.h"
#include "core/web/WebSource.h"
#include "platform/SystemError.h"

namespace platform {
namespace {

constexpr std::size_t kLargestReservation = std::size_t{1} << 20;

[[noreturn]] void Fail(InternetStage stage) {
  const DWORD code = ::GetLastError();
  throw InternetError(stage, code, InternetMessage(code));
}

core::WebAddressParts Split(const std::string& url) {
  std::optional<core::WebAddressParts> parts = core::SplitWebAddress(url);
  if (!parts) {
    throw InternetError(InternetStage::OpenUrl, ERROR_INTERNET_INVALID_URL,
                        InternetMessage(ERROR_INTERNET_INVALID_URL));
  }
  return std::move(*parts);
}

void SetTimeouts(HINTERNET handle, DWORD timeoutMs) {
  // Set on the connection: WinInet honours them there for every request it makes.
  for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    DWORD value = timeoutMs;
    wininet::InternetSetOptionA(handle, option, &value, sizeof value);
  }
}

}  // namespace

std::string InternetMessage(DWORD code) {
  if (code < INTERNET_ERROR_BASE || code > INTERNET_ERROR_LAST) return SystemMessage(code);
  const std::string text = ModuleMessage(::GetModuleHandleA("wininet.dll"), code);
  if (text.empty()) return "Internet error " + std::to_string(code);
  return text + " (" + std::to_string(code) + ")";
}

void HttpGet::Send(const std::string& userAgent, const std::string& url,
                   const std::string& headers) {
  std::unique_lock lock(mutex_);
  // A redirect's next request is part of the same exchange: the deadline counts from the first.
  if (!sent_) sentAt_ = ::GetTickCount();
  sent_ = true;
  if (aborted_) throw InternetError(InternetStage::Initialize, ERROR_CANCELLED, "aborted");
  try {
    session_.reset(wininet::InternetOpenA(userAgent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr,
                                          nullptr, 0));
  } catch (const SystemError& e) {
    throw InternetError(InternetStage::Initialize, e.code(), e.what());  // no WinInet at all
  }
  if (!session_) Fail(InternetStage::Initialize);
  // The same split gives the log its masked address: the password sent is the one masked.
  const core::WebAddressParts parts = Split(url);
  // Credentials in the address answer the server's challenge.
  const auto orNull = [](const std::string& text) { return text.empty() ? nullptr : text.c_str(); };
  connection_.reset(wininet::InternetConnectA(session_.get(), parts.host.c_str(), parts.port,
                                              orNull(parts.user), orNull(parts.password),
                                              INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection_) Fail(InternetStage::OpenUrl);
  SetTimeouts(connection_.get(), limits_.timeoutMs);
  const char* acceptAll[] = {"*/*", nullptr};
  // Redirects are the caller's to follow, hop by hop, so that none can loop inside the system.
  DWORD flags =
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT;
  if (parts.secure) flags |= INTERNET_FLAG_SECURE;
  request_.reset(wininet::HttpOpenRequestA(connection_.get(), "GET", parts.object.c_str(), nullptr,
                                           nullptr, acceptAll, flags, 0));
  if (!request_) Fail(InternetStage::OpenUrl);
  // The wait for the answer must not hold the lock that Abort takes.
  lock.unlock();
  const InUse request(*this);
  if (!wininet::HttpSendRequestA(request.get(), headers.empty() ? nullptr : headers.c_str(),
                                 static_cast<DWORD>(headers.size()), nullptr, 0)) {
    Fail(InternetStage::OpenUrl);
  }
}

HttpGet::InUse::InUse(HttpGet& owner) : owner_(owner) {
  std::lock_guard lock(owner_.mutex_);
  if (owner_.aborted_ || !owner_.request_) {
    throw InternetError(InternetStage::Read, ERROR_CANCELLED, "aborted");
  }
  ++owner_.users_;
  request_ = owner_.request_.get();
}

HttpGet::InUse::~InUse() {
  owner_.EndUse();
}

bool HttpGet::Aborted() {
  std::lock_guard lock(mutex_);
  return aborted_;
}

void HttpGet::EndUse() {
  std::lock_guard lock(mutex_);
  if (--users_ == 0 && aborted_) CloseHandles();
}

DWORD HttpGet::StatusCode() {
  // Read from the status line itself: a reply without one would otherwise count as 200.
  const std::optional<std::string> headers = RawHeaders();
  const std::optional<int> status = headers ? core::StatusOf(*headers) : std::nullopt;
  return status ? static_cast<DWORD>(*status) : 0;
}

std::optional<std::string> HttpGet::RawHeaders() {
  const InUse inUse(*this);
  HINTERNET request = inUse.get();
  // A reply that is not HTTP gets a made-up status line ("HTTP/1.0 200 OK"), the same as a
  // minimal server's; only this flag tells them apart.
  DWORD flags = 0;
  DWORD flagsSize = sizeof flags;
  if (wininet::InternetQueryOptionA(request, INTERNET_OPTION_REQUEST_FLAGS, &flags, &flagsSize) &&
      (flags & INTERNET_REQFLAG_NO_HEADERS) != 0) {
    return std::nullopt;
  }
  std::string headers(1025, '\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(headers.size());
    if (wininet::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, headers.data(), &size,
                                nullptr)) {
      headers.resize(size);
      return headers;
    }
    // WinInet reports the length it needs; a block larger than the bound is not read.
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= headers.size() ||
        size > limits_.maxHeaderBytes) {
      return std::nullopt;
    }
    headers.resize(size);
  }
}

std::string HttpGet::ContentType() {
  char value[512] = {};
  DWORD size = sizeof value - 1;
  const InUse request(*this);
  if (!wininet::HttpQueryInfoA(request.get(), HTTP_QUERY_CONTENT_TYPE, value, &size, nullptr))
    return {};
  return std::string(value, size);
}

std::string HttpGet::ReadBody() {
  const InUse inUse(*this);
  HINTERNET request = inUse.get();
  // A connection that breaks off may read as an orderly end; the announced length tells.
  DWORD announced = 0;
  DWORD size = sizeof announced;
  const bool lengthKnown =
      wininet::HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                              &announced, &size, nullptr) != FALSE;
  if (lengthKnown && announced > limits_.maxBodyBytes) {
    throw ResponseTooLarge(std::to_string(announced) + " bytes announced");
  }
  std::string body;
  // Reserved from the announced length, so that a large body is not copied as it grows; no more
  // than a little up front, though, on the word of a server alone.
  if (lengthKnown) body.reserve(std::min<std::size_t>(announced, kLargestReservation));
  std::vector<char> chunk(64 * 1024);
  for (;;) {
    // Reading only what has arrived keeps each call within one receive time-out, so that the
    // deadline is checked however slowly the server sends.
    DWORD available = 0;
    if (!wininet::InternetQueryDataAvailable(request, &available, 0, 0)) Fail(InternetStage::Read);
    if (::GetTickCount() - sentAt_ > limits_.deadlineMs) {
      throw InternetError(
          InternetStage::Read, ERROR_INTERNET_TIMEOUT,
          "the fetch took longer than " + core::SecondsText(limits_.deadlineMs) + " s");
    }
    if (available == 0) break;
    if (Aborted()) throw InternetError(InternetStage::Read, ERROR_CANCELLED, "aborted");
    DWORD read = 0;
    const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(chunk.size()));
    if (!wininet::InternetReadFile(request, chunk.data(), wanted, &read)) Fail(InternetStage::Read);
    if (read == 0) break;
    if (body.size() + read > limits_.maxBodyBytes) throw ResponseTooLarge("over the cap");
    body.append(chunk.data(), read);
  }
  if (lengthKnown && body.size() < announced) {
    throw InternetError(InternetStage::Read, ERROR_INTERNET_CONNECTION_RESET,
                        "the answer ended after " + std::to_string(body.size()) + " of " +
                            std::to_string(announced) + " bytes");
  }
  return body;
}

void HttpGet::Close() {
  std::lock_guard lock(mutex_);
  if (users_ == 0) CloseHandles();
}

void HttpGet::Abort() {
  std::lock_guard lock(mutex_);
  aborted_ = true;
  if (users_ == 0) CloseHandles();
}

void HttpGet::CloseHandles() {
  request_.reset();
  connection_.reset();
  session_.reset();
}

}  // namespace platform
