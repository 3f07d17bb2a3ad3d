#include "app/LocalFileThread.h"

#include <exception>
#include <new>

#include "app/SourceText.h"
#include "core/text/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

LocalFileThread::LocalFileThread(std::string path, std::int32_t stamp, std::u16string feedSeparator,
                                 HWND bar, UINT done)
    : SourceWorker({std::move(path), {}, false}, bar, done),
      stamp_(stamp),
      feedSeparator_(std::move(feedSeparator)) {}

void LocalFileThread::Work() {
  auto result = std::make_unique<core::WebResult>();
  try {
    *result = Check();
  } catch (const std::bad_alloc&) {
    result->status = core::WebStatus::Failed;
    result->error = "not enough memory to read " + request_.address;
  } catch (const std::exception& e) {
    result->status = core::WebStatus::Failed;
    result->error = e.what();
  }
  result->address = request_.address;
  Report(std::move(result));
}

core::WebResult LocalFileThread::Check() const {
  const std::string& path = request_.address;
  core::WebResult result;
  result.stamp = platform::LastWriteStamp(path);
  const core::StampCheck check = core::CheckFileStamp(result.stamp, stamp_);
  if (check.fileMissing) {
    result.error = path + " is missing";
    return result;
  }
  if (!check.storeStamp || !check.read) {
    result.status = core::WebStatus::Unchanged;
    return result;
  }
  std::optional<std::string> bytes =
      platform::ReadWholeFile(path, kLargestReadableFile, platform::FileSharing::DenyWriters);
  if (!bytes) {
    result.error = path + " is gone";
    return result;
  }
  SourceText text = TextOfBody(std::move(*bytes), std::nullopt, {path, path}, feedSeparator_);
  if (text.kind == SourceText::Kind::BrokenFeed) {
    result.error = text.error;
  } else if (text.kind == SourceText::Kind::SourceList) {
    result.error = "a source list, not followed";
  } else {
    result.status = core::WebStatus::NewLines;
    result.lines = std::move(text.lines);
  }
  return result;
}
