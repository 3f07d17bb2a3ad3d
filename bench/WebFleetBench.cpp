// A fleet of bars polling one web file, simulated with the web source's own schedule: 10,000
// clients checking every 10 s, all started in the same second, meet a 10-minute outage. The
// counters give requests per second at the server, against the fixed rhythm of a bar that
// checks every GetFileDelay whatever happens. Run: build/native/bench/core_bench
// --benchmark_filter=WebFleet

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <queue>
#include <vector>

#include "core/web/WebSchedule.h"

namespace {

constexpr int kClients = 10000;
constexpr std::int64_t kDelayMs = 10000;
constexpr std::int64_t kOutageStartS = 1200;  // after 20 minutes of normal running
constexpr std::int64_t kOutageEndS = kOutageStartS + 600;
constexpr std::int64_t kEndS = kOutageEndS + 1200;

// Requests per second of the run. `next` gives a client's wait after a check.
using NextDelay = std::function<std::int64_t(core::LastCheck& last, bool failed)>;

std::vector<int> RequestsPerSecond(const NextDelay& next) {
  std::vector<int> perSecond(kEndS, 0);
  using Check = std::pair<std::int64_t, int>;  // when (ms), which client
  std::priority_queue<Check, std::vector<Check>, std::greater<>> due;
  std::vector<core::LastCheck> last(kClients);
  for (int client = 0; client < kClients; ++client) due.push({0, client});
  while (!due.empty()) {
    const auto [at, client] = due.top();
    due.pop();
    const std::int64_t second = at / 1000;
    if (second >= kEndS) continue;
    ++perSecond[static_cast<size_t>(second)];
    const bool failed = second >= kOutageStartS && second < kOutageEndS;
    due.push({at + next(last[static_cast<size_t>(client)], failed), client});
  }
  return perSecond;
}

int PeakIn(const std::vector<int>& perSecond, std::int64_t from, std::int64_t to) {
  return *std::max_element(perSecond.begin() + from, perSecond.begin() + to);
}

double MeanIn(const std::vector<int>& perSecond, std::int64_t from, std::int64_t to) {
  double sum = 0;
  for (std::int64_t s = from; s < to; ++s) sum += perSecond[static_cast<size_t>(s)];
  return sum / static_cast<double>(to - from);
}

void BM_WebFleetThroughAnOutage(benchmark::State& state) {
  std::vector<int> scheduled;
  for (auto _ : state) {
    core::SeededRandom random(2026);
    scheduled = RequestsPerSecond([&](core::LastCheck& last, bool failed) {
      last = core::After(last, failed, std::nullopt);
      return core::NextCheckDelayMs(last, kDelayMs, random);
    });
  }
  const std::vector<int> fixed = RequestsPerSecond([](core::LastCheck&, bool) { return kDelayMs; });
  const double steady = kClients * 1000.0 / kDelayMs;
  const double quiet = MeanIn(scheduled, kOutageStartS - 600, kOutageStartS);
  state.counters["steady_per_s"] = steady;
  state.counters["quiet_mean_per_s"] = quiet;
  state.counters["quiet_peak_per_s"] = PeakIn(scheduled, kOutageStartS - 600, kOutageStartS);
  state.counters["outage_peak_per_s"] = PeakIn(scheduled, kOutageStartS, kOutageEndS);
  state.counters["outage_mean_per_s"] = MeanIn(scheduled, kOutageStartS + 300, kOutageEndS);
  state.counters["recovery_peak_per_s"] = PeakIn(scheduled, kOutageEndS, kOutageEndS + 60);
  state.counters["recovery_peak_x_steady"] =
      PeakIn(scheduled, kOutageEndS, kOutageEndS + 60) / steady;
  state.counters["fixed_outage_peak_per_s"] = PeakIn(fixed, kOutageStartS, kOutageEndS);
  state.counters["fixed_recovery_peak_x_steady"] =
      PeakIn(fixed, kOutageEndS, kOutageEndS + 60) / steady;
  state.counters["requests_per_client_hour"] = quiet * 3600.0 / kClients;
}
BENCHMARK(BM_WebFleetThroughAnOutage)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
