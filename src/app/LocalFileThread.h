#pragma once
// A list's local file, looked at and read on a thread of its own, so that a slow disk or a large
// file never holds the bar's window.

#include <cstdint>
#include <memory>
#include <string>

#include "app/SourceWorker.h"

class LocalFileThread : public SourceWorker {
 public:
  // Reads `path` when its stamp differs from `stamp`; `feedSeparator` ends each headline.
  LocalFileThread(std::string path, std::int32_t stamp, std::u16string feedSeparator, HWND bar,
                  UINT done);

 private:
  void Work() override;
  core::WebResult Check() const;

  const std::int32_t stamp_;
  const std::u16string feedSeparator_;
};
