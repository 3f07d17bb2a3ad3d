#pragma once
// The web worker: one check of a web text file on a thread of its own. It reads nothing of the
// bar and writes nothing of it: it gets a request, returns a result through its slot and posts
// WM_GETURLFILE_DONE. The bar and the worker own it jointly, so that an exit that stops
// waiting for a hung server frees nothing the worker still uses.

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "core/ResultSlot.h"
#include "core/WebSource.h"
#include "platform/Handles.h"
#include "platform/WinInet.h"

inline constexpr UINT WM_GETURLFILE_DONE = WM_APP + 1;

class UrlFileThread {
 public:
  using LogFunction = std::function<void(const std::string& message)>;

  // `feedSeparator` ends each headline when the file is a feed.
  UrlFileThread(core::WebRequest request, std::string userAgent, std::string feedSeparator,
                platform::FetchLimits limits, HWND bar, LogFunction log);

  // Starts the thread; the handle, or an empty one when the system could not create it.
  static platform::UniqueHandle Start(const std::shared_ptr<UrlFileThread>& worker, DWORD& id);

  // User-interface thread: the result once WM_GETURLFILE_DONE has arrived.
  std::unique_ptr<core::WebResult> TakeResult() { return result_.Take(); }
  // User-interface thread, at exit: no more log lines, and the requests are closed.
  void Abort();

 private:
  static DWORD WINAPI Run(void* parameter);
  void GetUrlFileThread();
  bool FileUrlLastModifiedChanged(std::string& seen);
  core::TextLines GetFileUrlContents(const std::string& lastModified);
  void EndGetUrlFileThread();
  void Log(const std::string& message);

  const core::WebRequest request_;
  const std::string userAgent_;
  const std::string feedSeparator_;
  const HWND bar_;
  platform::HttpGet UrlHeaderRequest;
  platform::HttpGet UrlRequest;
  core::ResultSlot<core::WebResult> result_;

  std::mutex logMutex_;
  LogFunction log_;
};
