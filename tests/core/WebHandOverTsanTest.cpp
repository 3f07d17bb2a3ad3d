// Built with ThreadSanitizer: a worker hands results over while the reader takes them.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/ResultSlot.h"
#include "core/WebSource.h"

namespace core {
namespace {

TEST(WebHandOver, AWorkerAndAReaderNeverShareALine) {
  ResultSlot<WebResult> slot;
  std::atomic<bool> done{false};
  constexpr int kResults = 2000;
  std::thread worker([&] {
    for (int i = 0; i < kResults; ++i) {
      auto result = std::make_unique<WebResult>();
      result->status = WebStatus::NewLines;
      result->lines = TextLines("line " + std::to_string(i) + "\nsecond\n");
      result->lines.Lines();  // the worker splits before handing over
      slot.Put(std::move(result));
    }
    done = true;
  });
  int taken = 0;
  while (!done || taken == 0) {
    if (auto result = slot.Take()) {
      ASSERT_EQ(result->lines.Lines().size(), 2u);
      EXPECT_EQ(result->lines.Lines()[1], "second");
      ++taken;
    }
  }
  worker.join();
  EXPECT_GT(taken, 0);
}

}  // namespace
}  // namespace core
