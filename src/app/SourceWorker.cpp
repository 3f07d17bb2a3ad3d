#include "app/SourceWorker.h"

platform::UniqueHandle SourceWorker::Start(const std::shared_ptr<SourceWorker>& worker, DWORD& id) {
  auto owner = std::make_unique<std::shared_ptr<SourceWorker>>(worker);
  platform::UniqueHandle thread(::CreateThread(nullptr, 0, &Run, owner.get(), 0, &id));
  if (thread) static_cast<void>(owner.release());  // the thread owns its share now
  return thread;
}

DWORD WINAPI SourceWorker::Run(void* parameter) {
  const std::unique_ptr<std::shared_ptr<SourceWorker>> self(
      static_cast<std::shared_ptr<SourceWorker>*>(parameter));
  // Nothing may leave a thread procedure: memory running out while the worker reports or ends
  // would otherwise end the whole program.
  try {
    (*self)->Work();
  } catch (...) {
    return 1;
  }
  return 0;
}

void SourceWorker::Report(std::unique_ptr<core::WebResult> result) {
  const auto status = static_cast<WPARAM>(result->status);
  result_.Put(std::move(result));
  ::PostMessageA(bar_, done_, status, static_cast<LPARAM>(::GetCurrentThreadId()));
}
