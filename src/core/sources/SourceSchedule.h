#pragma once
// Every source of the bar between and during its checks: the bar's own source (the root: a file
// or a web address, or a list of sources) and the sources of a list (its members). Each keeps
// its validators, its schedule with backoff and its last good lines; every check running is
// one record here with its deadline, so one bookkeeping serves them all. The window's side only
// starts the checks this hands out and reports how they went.

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

// Fetches of a list's sources running at once, so that a list of many sources neither floods
// its servers nor lets one stalled source hold the others. Sources whose last check failed share
// one fewer: a slot always stays for those that answer.
inline constexpr int kMaxFetches = 2;
// Local files of a list read at once, each on a worker of its own.
inline constexpr int kMaxLocalReads = 2;
// A fetch running this long is as good as failing: it leaves the last slot to the others too.
inline constexpr std::int64_t kSlowFetchMs = 10000;
// Workers given up at their deadline that may still run before no fetch starts any more: each
// holds a thread and its memory until its server lets go.
inline constexpr int kMaxAbandoned = 2;
// However often GetFileDelay asks, a server is asked at most this often.
inline constexpr std::int64_t kWebFloorMs = 1000;

// The wait between a web source's automatic checks for GetFileDelay `getFileDelayMs`: 0 (none)
// stays 0, anything else is at least `floorMs`.
std::int64_t WebIntervalMs(std::int64_t getFileDelayMs, std::int64_t floorMs = kWebFloorMs);

// Without automatic reload a list's web sources still refresh: every 15 minutes, or as
// seldom as the feed asks when that is longer, at most once a day.
inline constexpr std::int64_t kListRefreshMs = std::int64_t{15} * 60 * 1000;
inline constexpr std::int64_t kLongestRefreshMs = std::int64_t{24} * 60 * 60 * 1000;

// The wait a list's web source takes as its GetFileDelay: `getFileDelayMs` with automatic
// reload, else kListRefreshMs lengthened to the feed's own hint `hintMs`, up to a day.
std::int64_t ListRefreshMs(bool autoReload, std::int64_t getFileDelayMs,
                           std::optional<std::int64_t> hintMs);

enum class SourceKind { Web, Local };

// Web addresses are fetched; anything else names a file.
SourceKind SourceKindOf(std::string_view address);

// The file a local source names: a file: address as a path, a relative path taken from the
// folder of `listPath` (the list's own file, when it has one).
std::string LocalSourcePath(std::string_view address, std::string_view listPath);

enum class SourceRole { Root, Member };

// A read asked for by the user: whatever the server says, or only whether it changed.
enum class ReadAgain { Download, Ask };

struct SourceState {
  std::uint64_t id = 0;  // tells a check's result from one of a source since dropped
  SourceRole role = SourceRole::Member;
  SourceEntry entry;
  SourceKind kind = SourceKind::Web;
  WebSourceState web;  // the validators of the lines kept, and a pending forced read
  LastCheck lastCheck;
  std::optional<std::int64_t> dueAtMs;    // a member's next check; none: only a forced read
  std::int64_t scheduledAtMs = 0;         // when dueAtMs was set
  std::int64_t notBeforeMs = 0;           // a server's Retry-After: nothing asks it earlier
  std::optional<std::int64_t> endedAtMs;  // when its last check ended, however it went
  bool running = false;
  std::int32_t stamp = 0;       // a local file's, at its last check
  TextLines lines;              // a member's last good lines, as selected
  std::string lastFailure;      // logged once until another one, or a success, comes
  std::string lastGood;         // when its last check that did not fail ended, and its lines
  bool redirectLogged = false;  // a permanent redirect is told once
  bool cutLogged = false;       // lines left out for their size are told once
  // The feed's own hint of how often it changes, kept from its last download.
  std::optional<std::int64_t> refreshHintMs;
};

// The earliest time `source` may be asked again: a server's Retry-After holds, and a web source
// is never asked within `floorMs` of its last check's end, whatever asks.
std::int64_t EarliestStartMs(const SourceState& source, std::int64_t floorMs = kWebFloorMs);

// One check to start: a fetch on a worker, or a local file's read.
struct SourceCheck {
  std::uint64_t fetchId = 0;
  std::uint64_t sourceId = 0;
  SourceRole role = SourceRole::Member;
  SourceKind kind = SourceKind::Web;
};

class SourceSchedule {
 public:
  // Every fetch is given up `deadlineMs` after it starts, however its server answers.
  explicit SourceSchedule(std::int64_t deadlineMs = 120000) : deadlineMs_(deadlineMs) {}
  void SetDeadline(std::int64_t deadlineMs) { deadlineMs_ = deadlineMs; }
  std::int64_t DeadlineMs() const { return deadlineMs_; }
  // The least time between two checks of one server (kWebFloorMs but in tests).
  void SetFloor(std::int64_t floorMs) { floorMs_ = floorMs; }
  std::int64_t EarliestStartOf(const SourceState& source) const {
    return EarliestStartMs(source, floorMs_);
  }

  // The bar's own source. Another address starts anew (and drops the list it gave); the same
  // one keeps its state. An empty address is no source.
  SourceState* SetRoot(const SourceEntry& entry);
  SourceState* Root() { return root_.id != 0 ? &root_ : nullptr; }
  // The root's check, unless one runs, the options hold every check, too many workers given up
  // still run, or it is too early (EarliestStartMs).
  std::optional<SourceCheck> StartRoot(std::int64_t nowMs);

  // The list the root gave (read again): a member that stays, by its address, keeps its state
  // and takes its new name; a new one is due at once; one that left is dropped.
  void SetMembers(const std::vector<SourceEntry>& entries, std::int64_t nowMs);
  // The root gives no list any more.
  void ClearMembers() {
    members_.clear();
    hasList_ = false;
  }
  bool HasList() const { return hasList_; }
  std::vector<SourceState>& Members() { return members_; }
  const std::vector<SourceState>& Members() const { return members_; }
  // The root or a member, by id; null when it has been dropped since.
  SourceState* Find(std::uint64_t id);

  // The members to check now, marked running: due local ones while fewer than kMaxLocalReads
  // run, and due web ones while fewer than kMaxFetches of their fetches run, those whose last
  // check did not fail first (each group in list order). None while too many workers given up
  // still run.
  std::vector<SourceCheck> StartDueMembers(std::int64_t nowMs);
  // The check `fetchId` reported: its source's id, or nullopt for a check given up at its
  // deadline (or never handed out), whose result belongs to nobody.
  std::optional<std::uint64_t> Ended(std::uint64_t fetchId);
  // The checks past their deadline, given up from now on: their sources are free to be checked
  // again, and each is to be finished as a failure.
  std::vector<SourceCheck> Overdue(std::int64_t nowMs);
  std::optional<std::int64_t> NextDeadlineMs() const;
  // Checks given up whose workers have not reported yet.
  int Abandoned() const;
  // No check starts until one of them reports.
  bool TooManyAbandoned() const { return Abandoned() >= kMaxAbandoned; }
  // Checks still to report, given up or not: what an exit waits for.
  std::size_t Outstanding() const { return fetches_.size(); }

  // A check ended: a member's next by the polling rules, from `autoDelayMs` (GetFileDelay, or 0
  // without automatic checks; a web source's at least kWebFloorMs); the wait for the root's
  // next, which its timer carries out. A local file that was read is looked at again after
  // exactly `autoDelayMs`; a failure backs off as a server's does.
  std::int64_t Finished(SourceState& source, bool failed, std::optional<std::int64_t> retryAfterMs,
                        std::int64_t nowMs, std::int64_t autoDelayMs, RandomSource& random);
  // Every member checked again now, downloading whatever its server says, except those whose
  // server asked to be left alone.
  void ForceMembers(std::int64_t nowMs, ReadAgain how = ReadAgain::Download);
  // The earliest due check of a member not running that could start now: a web member waiting
  // for a free fetch starts when one ends, not by the clock. None while held.
  std::optional<std::int64_t> NextMemberDueMs(std::int64_t nowMs) const;

  // While the options are open nothing is checked; afterwards each member is due as long after
  // as it was then, and a server's Retry-After still holds.
  void Hold(std::int64_t nowMs);
  void Resume(std::int64_t nowMs);
  bool Held() const { return heldSinceMs_.has_value(); }

 private:
  struct Fetch {
    std::uint64_t fetchId = 0;
    std::uint64_t sourceId = 0;
    SourceRole role = SourceRole::Member;
    SourceKind kind = SourceKind::Web;
    std::int64_t startedAtMs = 0;
    std::int64_t deadlineAtMs = 0;
    bool abandoned = false;
    bool failing = false;  // its source's last check had failed
  };
  SourceCheck Start(SourceState& source, std::int64_t nowMs);
  // Member checks of `kind` running and not given up; with `nowMs`, only those of failing
  // sources or running for kSlowFetchMs.
  int MemberChecksRunning(SourceKind kind, std::optional<std::int64_t> nowMs = {}) const;
  // Whether a member may take a slot now, by the checks running.
  bool SlotFree(const SourceState& source, std::int64_t nowMs) const;

  std::int64_t deadlineMs_;
  std::int64_t floorMs_ = kWebFloorMs;
  SourceState root_;
  std::vector<SourceState> members_;
  bool hasList_ = false;
  std::vector<Fetch> fetches_;
  std::optional<std::int64_t> heldSinceMs_;
  std::uint64_t nextId_ = 1;
  std::uint64_t nextFetchId_ = 1;
};

}  // namespace core
