#include "core/sources/SourceSet.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/text/FileStamp.h"

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

SourceKind SourceKindOf(std::string_view address) {
  return StartsWithLetters(address, "http://") || StartsWithLetters(address, "https://")
             ? SourceKind::Web
             : SourceKind::Local;
}

std::string LocalSourcePath(std::string_view address, std::string_view listPath) {
  if (StartsWithLetters(address, "file:")) return PathOfFileAddress(address);
  if (IsAbsolutePath(address)) return std::string(address);
  const std::size_t folderEnd = listPath.find_last_of("\\/");
  if (folderEnd == std::string_view::npos) return std::string(address);
  return std::string(listPath.substr(0, folderEnd + 1)).append(address);
}

void SourceSet::SetList(const std::vector<SourceEntry>& entries, std::int64_t nowMs) {
  std::vector<SourceState> old = std::move(sources_);
  std::vector<bool> taken(old.size(), false);
  sources_.clear();
  sources_.reserve(entries.size());
  for (const SourceEntry& entry : entries) {
    std::size_t at = 0;
    while (at < old.size() && (taken[at] || old[at].entry.address != entry.address)) ++at;
    if (at < old.size()) {
      taken[at] = true;
      sources_.push_back(std::move(old[at]));
      sources_.back().entry.name = entry.name;
      continue;
    }
    SourceState& added = sources_.emplace_back();
    added.id = nextId_++;
    added.entry = entry;
    added.kind = SourceKindOf(entry.address);
    added.dueAtMs = nowMs;
  }
}

SourceState* SourceSet::Find(std::uint64_t id) {
  const auto found = std::find_if(sources_.begin(), sources_.end(),
                                  [id](const SourceState& s) { return s.id == id; });
  return found == sources_.end() ? nullptr : &*found;
}

std::vector<SourceState*> SourceSet::StartDue(std::int64_t nowMs, int fetching) {
  std::vector<SourceState*> due;
  for (SourceState& source : sources_) {
    if (source.running || !source.dueAtMs || *source.dueAtMs > nowMs) continue;
    if (source.kind == SourceKind::Web) {
      if (fetching >= kMaxFetches) continue;
      ++fetching;
    }
    source.running = true;
    due.push_back(&source);
  }
  return due;
}

void SourceSet::Finished(SourceState& source, bool failed, std::optional<std::int64_t> retryAfterMs,
                         std::int64_t nowMs, std::int64_t autoDelayMs, RandomSource& random) {
  source.running = false;
  source.lastCheck = After(source.lastCheck, failed, retryAfterMs);
  const std::int64_t delay = NextCheckDelayMs(source.lastCheck, autoDelayMs, random);
  source.dueAtMs = delay > 0 ? std::optional<std::int64_t>(nowMs + delay) : std::nullopt;
}

void SourceSet::ForceAll(std::int64_t nowMs) {
  for (SourceState& source : sources_) {
    source.web.ForceDownload();
    source.stamp = kStampForceRead;
    source.dueAtMs = nowMs;
  }
}

std::optional<std::int64_t> SourceSet::NextDueMs(int fetching) const {
  std::optional<std::int64_t> next;
  for (const SourceState& source : sources_) {
    if (source.running || !source.dueAtMs) continue;
    if (source.kind == SourceKind::Web && fetching >= kMaxFetches) continue;
    if (!next || *source.dueAtMs < *next) next = source.dueAtMs;
  }
  return next;
}

}  // namespace core
