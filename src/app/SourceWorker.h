#pragma once
// One check of one source on a thread of its own. It reads nothing of the bar and writes nothing
// of it: it gets a request, leaves its result in its slot and posts the bar a message. The bar
// and the thread own it jointly, so that a runner that stops waiting for a hung check frees
// nothing the thread still uses.

#include <windows.h>

#include <memory>

#include "core/web/ResultSlot.h"
#include "core/web/WebSource.h"
#include "platform/Handles.h"

class SourceWorker {
 public:
  // The thread posts `done` to `bar` once its result is in, its id in lParam and the result's
  // status in wParam.
  SourceWorker(core::WebRequest request, HWND bar, UINT done)
      : request_(std::move(request)), bar_(bar), done_(done) {}
  virtual ~SourceWorker() = default;
  SourceWorker(const SourceWorker&) = delete;
  SourceWorker& operator=(const SourceWorker&) = delete;

  // Starts the thread; the handle, or an empty one when the system could not create it.
  static platform::UniqueHandle Start(const std::shared_ptr<SourceWorker>& worker, DWORD& id);

  // User-interface thread: the result once the message has arrived.
  std::unique_ptr<core::WebResult> TakeResult() { return result_.Take(); }
  const core::WebRequest& Request() const { return request_; }
  // User-interface thread: the check is given up; whatever it waits on is let go.
  virtual void Abort() {}

 protected:
  // The result, handed over and announced.
  void Report(std::unique_ptr<core::WebResult> result);

  const core::WebRequest request_;

 private:
  static DWORD WINAPI Run(void* parameter);
  virtual void Work() = 0;

  const HWND bar_;
  const UINT done_;
  core::ResultSlot<core::WebResult> result_;
};
