#pragma once
// The web worker: one check of a web text file on a thread of its own, with one conditional
// request. It reads nothing of the bar and writes nothing of it: it gets a request, returns a
// result through its slot and posts WM_GETURLFILE_DONE. The bar and the worker own it jointly, so
// that an exit that stops waiting for a hung server frees nothing the worker still uses.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "core/program/LogGate.h"
#include "core/web/ResultSlot.h"
#include "core/web/WebSource.h"
#include "platform/Handles.h"
#include "platform/WinInet.h"

inline constexpr UINT WM_GETURLFILE_DONE = WM_APP + 1;

class UrlFileThread {
 public:
  // `feedSeparator` ends each headline when the file is a feed; `done` is the message posted.
  UrlFileThread(core::WebRequest request, std::string userAgent, std::u16string feedSeparator,
                platform::FetchLimits limits, HWND bar, std::shared_ptr<core::LogGate> log,
                UINT done = WM_GETURLFILE_DONE);

  // Starts the thread; the handle, or an empty one when the system could not create it.
  static platform::UniqueHandle Start(const std::shared_ptr<UrlFileThread>& worker, DWORD& id);

  // User-interface thread: the result once WM_GETURLFILE_DONE has arrived.
  std::unique_ptr<core::WebResult> TakeResult() { return result_.Take(); }
  const core::WebRequest& Request() const { return request_; }
  // User-interface thread, at exit: the requests are closed.
  void Abort();

 private:
  static DWORD WINAPI Run(void* parameter);
  void GetUrlFileThread();
  // Sends the request; true when its answer carries a new text. Fills in the result's
  // validators, and its Retry-After when the server asks for a pause.
  bool FileUrlLastModifiedChanged(core::WebResult& result, std::string& lastModified);
  // Reads the same answer's body.
  core::TextLines GetFileUrlContents(const std::string& lastModified);
  // The one step from a body to the bar's lines: a feed's headlines or the text, decoded and
  // split here, off the user-interface thread. A broken feed throws.
  core::TextLines TextLinesOfBody(std::string body, const std::string& contentType);
  void EndGetUrlFileThread();
  void Log(const std::string& message) { log_->Log(message); }

  const core::WebRequest request_;
  // What the log and the failure messages show of the address.
  const std::string shownAddress_;
  const std::string userAgent_;
  const std::u16string feedSeparator_;
  const HWND bar_;
  const UINT done_;
  std::optional<core::OpmlReading> sourceList_;  // the body was a list of sources
  platform::HttpGet UrlRequest;
  core::ResultSlot<core::WebResult> result_;
  const std::shared_ptr<core::LogGate> log_;
};
