// Built with ThreadSanitizer: a worker hands results over while the reader takes them.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/program/LogGate.h"
#include "core/web/ResultSlot.h"
#include "core/web/WebSource.h"

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
      const std::string number = std::to_string(i);
      result->lines =
          TextLines(u"line " + std::u16string(number.begin(), number.end()) + u"\nsecond\n");
      result->lines.Lines();  // the worker splits before handing over
      slot.Put(std::move(result));
    }
    done = true;
  });
  int taken = 0;
  while (!done || taken == 0) {
    if (auto result = slot.Take()) {
      ASSERT_EQ(result->lines.Lines().size(), 2u);
      EXPECT_EQ(result->lines.Lines()[1], u"second");
      ++taken;
    }
  }
  worker.join();
  EXPECT_GT(taken, 0);
}

// The log is owned by the reader, which frees it once the gate is closed: the workers' last
// lines must all be written before Close returns, and none after.
TEST(WebHandOver, NoWorkerWritesToTheLogOnceItsGateIsClosed) {
  auto log = std::make_unique<std::vector<std::string>>();
  auto gate = std::make_shared<LogGate>([&log](const std::string& line) { log->push_back(line); });
  std::atomic<int> written{0};
  std::atomic<bool> stop{false};
  std::vector<std::thread> workers;
  for (int w = 0; w < 4; ++w) {
    workers.emplace_back([gate, &written, &stop] {
      while (!stop) {
        gate->Log("Ending GetUrlFileThread");
        ++written;
      }
    });
  }
  while (written < 100) std::this_thread::yield();
  gate->Close();
  const size_t kept = log->size();
  log.reset();  // what the bar's exit does next
  const int atClose = written;
  while (written < atClose + 1000) std::this_thread::yield();  // workers still ending
  stop = true;
  for (std::thread& worker : workers) worker.join();
  EXPECT_GE(kept, 100u);
}

TEST(WebHandOver, ALineTheLogCannotTakeIsLostWithoutEndingTheWorker) {
  int calls = 0;
  LogGate gate([&calls](const std::string&) {
    ++calls;
    throw std::bad_alloc();
  });
  EXPECT_NO_THROW(gate.Log("Ending GetUrlFileThread"));
  EXPECT_NO_THROW(gate.Log("Ending GetUrlFileThread"));
  EXPECT_EQ(calls, 2) << "the gate stays open after a lost line";
}

}  // namespace
}  // namespace core
