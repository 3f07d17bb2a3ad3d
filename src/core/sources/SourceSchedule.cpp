#include "core/sources/SourceSchedule.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/text/FileStamp.h"
#include "core/web/WebAddress.h"

namespace core {
namespace {

bool StartsWithLetters(std::string_view text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return a == std::tolower(static_cast<unsigned char>(b));
         });
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "file:///C:/News/a%20b.txt" gives "C:\News\a b.txt"; "file://server/share/x" a UNC path.
std::string PathOfFileAddress(std::string_view address) {
  address.remove_prefix(5);
  if (address.starts_with("///")) {
    address.remove_prefix(3);
  } else if (!address.starts_with("//") && address.starts_with('/')) {
    address.remove_prefix(1);
  }
  std::string path;
  for (std::size_t i = 0; i < address.size(); ++i) {
    const char c = address[i];
    const int high = c == '%' && i + 2 < address.size() ? HexValue(address[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(address[i + 2]) : -1;
    if (low >= 0) {
      path += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      path += c == '/' ? '\\' : c;
    }
  }
  return path;
}

bool IsAbsolutePath(std::string_view path) {
  return path.starts_with('\\') || path.starts_with('/') || (path.size() >= 2 && path[1] == ':');
}

}  // namespace

std::int64_t WebIntervalMs(std::int64_t getFileDelayMs, std::int64_t floorMs) {
  return getFileDelayMs <= 0 ? 0 : std::max(getFileDelayMs, floorMs);
}

std::int64_t ListRefreshMs(bool autoReload, std::int64_t getFileDelayMs,
                           std::optional<std::int64_t> hintMs) {
  if (autoReload) return getFileDelayMs;
  return std::min(std::max(kListRefreshMs, hintMs.value_or(0)), kLongestRefreshMs);
}

std::int64_t EarliestStartMs(const SourceState& source, std::int64_t floorMs) {
  if (source.kind != SourceKind::Web || !source.endedAtMs) return source.notBeforeMs;
  return std::max(source.notBeforeMs, *source.endedAtMs + floorMs);
}

SourceKind SourceKindOf(std::string_view address) {
  return IsWebAddress(address) ? SourceKind::Web : SourceKind::Local;
}

std::string LocalSourcePath(std::string_view address, std::string_view listPath) {
  if (StartsWithLetters(address, "file:")) return PathOfFileAddress(address);
  if (IsAbsolutePath(address)) return std::string(address);
  const std::size_t folderEnd = listPath.find_last_of("\\/");
  if (folderEnd == std::string_view::npos) return std::string(address);
  return std::string(listPath.substr(0, folderEnd + 1)).append(address);
}

SourceState* SourceSchedule::SetRoot(const SourceEntry& entry) {
  if (root_.id != 0 && root_.entry.address == entry.address) {
    root_.entry.name = entry.name;
    return Root();
  }
  // A check of the old address still running reports to nobody.
  root_ = SourceState{};
  ClearMembers();
  if (entry.address.empty()) return nullptr;
  root_.id = nextId_++;
  root_.role = SourceRole::Root;
  root_.entry = entry;
  root_.kind = SourceKindOf(entry.address);
  return Root();
}

std::optional<SourceCheck> SourceSchedule::StartRoot(std::int64_t nowMs) {
  if (!Root() || root_.running || Held() || TooManyAbandoned() || nowMs < EarliestStartOf(root_)) {
    return std::nullopt;
  }
  return Start(root_, nowMs);
}

void SourceSchedule::SetMembers(const std::vector<SourceEntry>& entries, std::int64_t nowMs) {
  std::vector<SourceState> old = std::move(members_);
  std::vector<bool> taken(old.size(), false);
  members_.clear();
  members_.reserve(entries.size());
  hasList_ = true;
  for (const SourceEntry& entry : entries) {
    std::size_t at = 0;
    while (at < old.size() && (taken[at] || old[at].entry.address != entry.address)) ++at;
    if (at < old.size()) {
      taken[at] = true;
      members_.push_back(std::move(old[at]));
      members_.back().entry.name = entry.name;
      continue;
    }
    SourceState& added = members_.emplace_back();
    added.id = nextId_++;
    added.entry = entry;
    added.kind = SourceKindOf(entry.address);
    added.dueAtMs = nowMs;
    added.scheduledAtMs = nowMs;
  }
}

SourceState* SourceSchedule::Find(std::uint64_t id) {
  if (id != 0 && root_.id == id) return &root_;
  const auto found = std::find_if(members_.begin(), members_.end(),
                                  [id](const SourceState& s) { return s.id == id; });
  return found == members_.end() ? nullptr : &*found;
}

SourceCheck SourceSchedule::Start(SourceState& source, std::int64_t nowMs) {
  source.running = true;
  const SourceCheck check{nextFetchId_++, source.id, source.role, source.kind};
  fetches_.push_back({check.fetchId, check.sourceId, check.role, check.kind, nowMs,
                      nowMs + deadlineMs_, false, source.lastCheck.failuresInARow > 0});
  return check;
}

int SourceSchedule::MemberChecksRunning(SourceKind kind, std::optional<std::int64_t> nowMs) const {
  return static_cast<int>(std::count_if(fetches_.begin(), fetches_.end(), [&](const Fetch& f) {
    return !f.abandoned && f.role == SourceRole::Member && f.kind == kind &&
           (!nowMs || f.failing || *nowMs - f.startedAtMs >= kSlowFetchMs);
  }));
}

bool SourceSchedule::SlotFree(const SourceState& source, std::int64_t nowMs) const {
  if (source.kind == SourceKind::Local) {
    return MemberChecksRunning(SourceKind::Local) < kMaxLocalReads;
  }
  if (MemberChecksRunning(SourceKind::Web) >= kMaxFetches) return false;
  return source.lastCheck.failuresInARow == 0 ||
         MemberChecksRunning(SourceKind::Web, nowMs) < kMaxFetches - 1;
}

std::vector<SourceCheck> SourceSchedule::StartDueMembers(std::int64_t nowMs) {
  std::vector<SourceCheck> due;
  if (Held() || TooManyAbandoned()) return due;
  // Those that answered go first: a failing source takes what they leave.
  for (const bool failing : {false, true}) {
    for (SourceState& source : members_) {
      if (source.running || !source.dueAtMs || *source.dueAtMs > nowMs ||
          EarliestStartOf(source) > nowMs || (source.lastCheck.failuresInARow > 0) != failing ||
          !SlotFree(source, nowMs)) {
        continue;
      }
      due.push_back(Start(source, nowMs));
    }
  }
  return due;
}

std::optional<std::uint64_t> SourceSchedule::Ended(std::uint64_t fetchId) {
  const auto found = std::find_if(fetches_.begin(), fetches_.end(),
                                  [fetchId](const Fetch& f) { return f.fetchId == fetchId; });
  if (found == fetches_.end()) return std::nullopt;
  const Fetch fetch = *found;
  fetches_.erase(found);
  if (fetch.abandoned) return std::nullopt;
  SourceState* source = Find(fetch.sourceId);
  if (source) source->running = false;
  return fetch.sourceId;
}

std::vector<SourceCheck> SourceSchedule::Overdue(std::int64_t nowMs) {
  std::vector<SourceCheck> overdue;
  for (Fetch& fetch : fetches_) {
    if (fetch.abandoned || fetch.deadlineAtMs > nowMs) continue;
    fetch.abandoned = true;
    SourceState* source = Find(fetch.sourceId);
    if (source) source->running = false;
    overdue.push_back({fetch.fetchId, fetch.sourceId, fetch.role, fetch.kind});
  }
  return overdue;
}

std::optional<std::int64_t> SourceSchedule::NextDeadlineMs() const {
  std::optional<std::int64_t> next;
  for (const Fetch& fetch : fetches_) {
    if (!fetch.abandoned && (!next || fetch.deadlineAtMs < *next)) next = fetch.deadlineAtMs;
  }
  return next;
}

int SourceSchedule::Abandoned() const {
  return static_cast<int>(
      std::count_if(fetches_.begin(), fetches_.end(), [](const Fetch& f) { return f.abandoned; }));
}

std::int64_t SourceSchedule::Finished(SourceState& source, bool failed,
                                      std::optional<std::int64_t> retryAfterMs, std::int64_t nowMs,
                                      std::int64_t autoDelayMs, RandomSource& random) {
  source.running = false;
  source.endedAtMs = nowMs;
  source.lastCheck = After(source.lastCheck, failed, retryAfterMs, source.entry.address);
  const ScheduleRules rules;
  source.notBeforeMs =
      failed && retryAfterMs ? nowMs + std::min(*retryAfterMs, rules.maxRetryAfterMs) : 0;
  const bool local = source.kind == SourceKind::Local;
  const std::int64_t interval = local ? autoDelayMs : WebIntervalMs(autoDelayMs, floorMs_);
  // A file is looked at on its own clock: nobody else's load to spread.
  const std::int64_t delay = local && !failed
                                 ? std::max<std::int64_t>(autoDelayMs, 0)
                                 : NextCheckDelayMs(source.lastCheck, interval, random, rules);
  source.scheduledAtMs = nowMs;
  source.dueAtMs = delay > 0 ? std::optional<std::int64_t>(nowMs + delay) : std::nullopt;
  return delay;
}

void SourceSchedule::ForceMembers(std::int64_t nowMs, ReadAgain how) {
  for (SourceState& source : members_) {
    if (how == ReadAgain::Download) {
      source.web.ForceDownload();
      source.stamp = kStampForceRead;
    }
    source.dueAtMs = std::max(nowMs, source.notBeforeMs);
    source.scheduledAtMs = nowMs;
  }
}

std::optional<std::int64_t> SourceSchedule::NextMemberDueMs(std::int64_t nowMs) const {
  if (Held() || TooManyAbandoned()) return std::nullopt;
  std::optional<std::int64_t> next;
  for (const SourceState& source : members_) {
    // One kept from a slot now waits for a check to end, which polls again.
    if (source.running || !source.dueAtMs || !SlotFree(source, nowMs)) continue;
    const std::int64_t at = std::max(*source.dueAtMs, EarliestStartOf(source));
    if (!next || at < *next) next = at;
  }
  return next;
}

void SourceSchedule::Hold(std::int64_t nowMs) {
  if (!heldSinceMs_) heldSinceMs_ = nowMs;
}

void SourceSchedule::Resume(std::int64_t nowMs) {
  if (!heldSinceMs_) return;
  const std::int64_t heldSince = *heldSinceMs_;
  heldSinceMs_.reset();
  for (SourceState& source : members_) {
    if (!source.dueAtMs) continue;
    // The time the dialog was open does not count against the wait, which already covers a
    // Retry-After: the due time only moves later.
    const std::int64_t waitedBefore = std::max<std::int64_t>(heldSince - source.scheduledAtMs, 0);
    const std::int64_t wait = *source.dueAtMs - source.scheduledAtMs;
    source.dueAtMs = nowMs + wait - waitedBefore;
    source.scheduledAtMs = nowMs - waitedBefore;
  }
}

}  // namespace core
