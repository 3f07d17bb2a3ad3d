#pragma once
// The sources of a list between their checks: each keeps its own validators, schedule and
// backoff and its last good lines; a list read again keeps the state of the sources that stay.
// The window's side only starts the checks this says are due and reports how they went.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sources/Opml.h"
#include "core/text/TextLines.h"
#include "core/web/WebSchedule.h"
#include "core/web/WebSource.h"

namespace core {

// Fetches running at once, so that a list of many sources neither floods its servers nor lets
// one stalled source hold the others.
inline constexpr int kMaxFetches = 2;

enum class SourceKind { Web, Local };

// http and https addresses are fetched; anything else names a file.
SourceKind SourceKindOf(std::string_view address);

// The file a local source names: a file: address as a path, a relative path taken from the
// folder of `listPath` (the list's own file, when it has one).
std::string LocalSourcePath(std::string_view address, std::string_view listPath);

struct SourceState {
  std::uint64_t id = 0;  // tells a check's result from one of a source since dropped
  SourceEntry entry;
  SourceKind kind = SourceKind::Web;
  WebSourceState web;  // the validators of the lines kept, and a pending forced read
  LastCheck lastCheck;
  std::optional<std::int64_t> dueAtMs;  // the next check; none: only a forced read checks
  bool running = false;
  std::int32_t stamp = 0;  // a local file's, at its last check
  TextLines lines;         // the last good lines, as selected
};

class SourceSet {
 public:
  // The list (read again): a source that stays, by its address, keeps its state and takes its
  // new name; a new one is due at once; one that left is dropped.
  void SetList(const std::vector<SourceEntry>& entries, std::int64_t nowMs);
  void Clear() { sources_.clear(); }
  std::vector<SourceState>& Sources() { return sources_; }
  const std::vector<SourceState>& Sources() const { return sources_; }
  SourceState* Find(std::uint64_t id);

  // The sources to check now, in list order, marked running: every due local one, and due web
  // ones while fewer than kMaxFetches fetches (`fetching`, of any source) run.
  std::vector<SourceState*> StartDue(std::int64_t nowMs, int fetching);
  // A check ended: the next by the web polling rules, from `autoDelayMs` (GetFileDelay, or 0
  // without automatic checks).
  void Finished(SourceState& source, bool failed, std::optional<std::int64_t> retryAfterMs,
                std::int64_t nowMs, std::int64_t autoDelayMs, RandomSource& random);
  // Every source checked again now, downloading whatever the server says.
  void ForceAll(std::int64_t nowMs);
  // The earliest due check of a source not running that could start with `fetching` fetches
  // running: a web source waiting for a free fetch starts when one ends, not by the clock.
  std::optional<std::int64_t> NextDueMs(int fetching) const;

 private:
  std::vector<SourceState> sources_;
  std::uint64_t nextId_ = 1;
};

}  // namespace core
