#pragma once
// One HTTP or HTTPS GET through WinInet, with its time-outs and size bounds as parameters.
// Runs on the calling thread; another thread may abort it.

#include <windows.h>

#include <cstddef>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/Handles.h"

namespace platform {

struct FetchLimits {
  DWORD timeoutMs = 30000;    // connecting, sending and each wait for data
  DWORD deadlineMs = 120000;  // the whole fetch, however the server trickles
  std::size_t maxBodyBytes = std::size_t{64} << 20;
  std::size_t maxHeaderBytes = std::size_t{64} << 10;
  // The least time between the end of one check of a source and the start of its next.
  DWORD checkFloorMs = 1000;
};

enum class InternetStage {
  Initialize,  // no WinInet session
  OpenUrl,     // the address, the connection, the request or its answer
  Read,        // the body
};

class InternetError : public std::runtime_error {
 public:
  // `detail` is the system's message, or empty.
  InternetError(InternetStage stage, DWORD code, const std::string& detail)
      : std::runtime_error(detail), stage_(stage), code_(code) {}
  InternetStage stage() const { return stage_; }
  DWORD code() const { return code_; }

 private:
  InternetStage stage_;
  DWORD code_;
};

// The body is, or is announced as, larger than FetchLimits::maxBodyBytes.
class ResponseTooLarge : public std::runtime_error {
 public:
  explicit ResponseTooLarge(const std::string& detail) : std::runtime_error(detail) {}
};

class HttpGet {
 public:
  explicit HttpGet(FetchLimits limits) : limits_(limits) {}
  HttpGet(const HttpGet&) = delete;
  HttpGet& operator=(const HttpGet&) = delete;

  // Sends the request, with `headers` (lines ending in CR LF) added, and waits for the answer's
  // headers. Certificates are checked; a redirect is an answer like any other, which the caller
  // may follow with another Send after Close. Throws InternetError.
  void Send(const std::string& userAgent, const std::string& url, const std::string& headers = {});
  // The status of a real HTTP status line; 0 when the answer has none.
  DWORD StatusCode();
  // The whole header block, lines ended by CR LF; nullopt when it cannot be had.
  std::optional<std::string> RawHeaders();
  // The Content-Type header; empty when there is none.
  std::string ContentType();
  // The whole body; throws InternetError or ResponseTooLarge, the latter before reading a byte
  // when the announced length is too large. The fetch's deadline is checked between reads.
  std::string ReadBody();
  // Closes the request, then the connection and the session.
  void Close();
  // Any thread: later calls fail, and the handles are closed as soon as no call of the
  // fetching thread uses them any more, never under a call that still does.
  void Abort();

 private:
  // The request handle held for one call: an abort meanwhile closes it when the call is done.
  class InUse {
   public:
    explicit InUse(HttpGet& owner);
    ~InUse();
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;
    HINTERNET get() const { return request_; }

   private:
    HttpGet& owner_;
    HINTERNET request_;
  };
  void EndUse();
  bool Aborted();
  // The request first, then the connection and the session; the caller holds the lock.
  void CloseHandles();

  FetchLimits limits_;
  DWORD sentAt_ = 0;  // the first Send's: the deadline covers every hop
  bool sent_ = false;
  std::mutex mutex_;
  bool aborted_ = false;
  int users_ = 0;  // calls under way with the handles
  UniqueInternet session_;
  UniqueInternet connection_;
  UniqueInternet request_;
};

// The text of a WinInet or system error code.
std::string InternetMessage(DWORD code);

}  // namespace platform
