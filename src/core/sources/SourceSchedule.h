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
// its servers nor lets one stalled source hold the others.
inline constexpr int kMaxFetches = 2;

enum class SourceKind { Web, Local };

// Web addresses are fetched; anything else names a file.
SourceKind SourceKindOf(std::string_view address);

// The file a local source names: a file: address as a path, a relative path taken from the
// folder of `listPath` (the list's own file, when it has one).
std::string LocalSourcePath(std::string_view address, std::string_view listPath);

enum class SourceRole { Root, Member };

struct SourceState {
  std::uint64_t id = 0;  // tells a check's result from one of a source since dropped
  SourceRole role = SourceRole::Member;
  SourceEntry entry;
  SourceKind kind = SourceKind::Web;
  WebSourceState web;  // the validators of the lines kept, and a pending forced read
  LastCheck lastCheck;
  std::optional<std::int64_t> dueAtMs;  // a member's next check; none: only a forced read
  std::int64_t scheduledAtMs = 0;       // when dueAtMs was set
  std::int64_t notBeforeMs = 0;         // a server's Retry-After: nothing asks it earlier
  bool running = false;
  std::int32_t stamp = 0;  // a local file's, at its last check
  TextLines lines;         // a member's last good lines, as selected
};

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

  // The bar's own source. Another address starts anew (and drops the list it gave); the same
  // one keeps its state. An empty address is no source.
  SourceState* SetRoot(const SourceEntry& entry);
  SourceState* Root() { return root_.id != 0 ? &root_ : nullptr; }
  // The root's check, unless one runs, the options hold every check, or its server asked to be
  // left alone until later.
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

  // The members to check now, in list order, marked running: every due local one, and due web
  // ones while fewer than kMaxFetches of their fetches run.
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
  // Checks still to report, given up or not: what an exit waits for.
  std::size_t Outstanding() const { return fetches_.size(); }

  // A check ended: a member's next by the polling rules, from `autoDelayMs` (GetFileDelay, or 0
  // without automatic checks); the wait for the root's next, which its timer carries out.
  std::int64_t Finished(SourceState& source, bool failed, std::optional<std::int64_t> retryAfterMs,
                        std::int64_t nowMs, std::int64_t autoDelayMs, RandomSource& random);
  // Every member checked again now, downloading whatever its server says, except those whose
  // server asked to be left alone.
  void ForceMembers(std::int64_t nowMs);
  // The earliest due check of a member not running that could start now: a web member waiting
  // for a free fetch starts when one ends, not by the clock. None while held.
  std::optional<std::int64_t> NextMemberDueMs() const;

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
    std::int64_t deadlineAtMs = 0;
    bool abandoned = false;
  };
  SourceCheck Start(SourceState& source, std::int64_t nowMs);
  int MemberFetchesRunning() const;

  std::int64_t deadlineMs_;
  SourceState root_;
  std::vector<SourceState> members_;
  bool hasList_ = false;
  std::vector<Fetch> fetches_;
  std::optional<std::int64_t> heldSinceMs_;
  std::uint64_t nextId_ = 1;
  std::uint64_t nextFetchId_ = 1;
};

}  // namespace core
