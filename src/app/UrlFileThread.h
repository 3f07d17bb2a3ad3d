#pragma once
// The web worker: one check of a web text file, with one conditional request and the redirects
// its answer asks for, on a thread of its own.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/SourceWorker.h"
#include "core/program/LogGate.h"
#include "core/web/WebSource.h"
#include "platform/WinInet.h"

inline constexpr UINT WM_GETURLFILE_DONE = WM_APP + 1;

class UrlFileThread : public SourceWorker {
 public:
  // `feedSeparator` ends each headline when the file is a feed; `done` is the message posted.
  UrlFileThread(core::WebRequest request, std::string userAgent, std::u16string feedSeparator,
                platform::FetchLimits limits, HWND bar, std::shared_ptr<core::LogGate> log,
                UINT done = WM_GETURLFILE_DONE);

  // User-interface thread: the requests are closed.
  void Abort() override;

 private:
  void Work() override { GetUrlFileThread(); }
  void GetUrlFileThread();
  // Sends the request; true when its answer carries a new text. Fills in the result's
  // validators, and its Retry-After when the server asks for a pause.
  bool FileUrlLastModifiedChanged(core::WebResult& result, std::string& lastModified);
  // Reads the same answer's body; notes its hash in `validators`.
  core::TextLines GetFileUrlContents(const std::string& lastModified, core::Validators& validators);
  // The one step from a body to the bar's lines: a feed's headlines or the text, decoded and
  // split here, off the user-interface thread. A broken feed throws.
  core::TextLines TextLinesOfBody(std::string body, const std::string& contentType);
  void EndGetUrlFileThread();
  void Log(const std::string& message) { log_->Log(message); }

  // What the log and the failure messages show of the address.
  const std::string shownAddress_;
  const std::string userAgent_;
  const std::u16string feedSeparator_;
  std::optional<core::OpmlReading> sourceList_;  // the body was a list of sources
  bool sameBody_ = false;                        // the body was the one kept
  std::optional<std::int64_t> refreshHintMs_;    // a feed's own hint
  platform::HttpGet UrlRequest;
  const std::shared_ptr<core::LogGate> log_;
};
