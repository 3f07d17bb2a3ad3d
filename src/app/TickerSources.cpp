// Several sources at once: when the bar's source is an OPML list, each source in it is checked
// on its own (web sources on workers, at most two at a time; files here, as the bar's own file
// is) and their lines are shown together, each group behind its source's name.

#include <algorithm>
#include <climits>
#include <new>

#include "app/ResourceIds.h"
#include "app/SourceText.h"
#include "app/Ticker.h"
#include "core/feed/FeedReader.h"
#include "core/sources/SourceLines.h"
#include "core/text/FileStamp.h"
#include "core/text/TickerTextOptions.h"
#include "core/web/WebAddress.h"
#include "platform/CodePageText.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

namespace {

// An exit waits this long for workers stuck on silent servers, then ends without them.
constexpr DWORD kExitWaitMs = 3000;
constexpr std::size_t kLargestReadableFile = 256u * 1024 * 1024;

std::int64_t NowMs() {
  return static_cast<std::int64_t>(::GetTickCount64());
}

// A list's names stay UTF-8 for the shown text; the log is in the system's code page.
std::string NameForLog(const core::SourceState& source) {
  return platform::Utf8ToCodePage(source.entry.name);
}

}  // namespace

void TForm1::CreateSourceTimer() {
  sources_.TimerSources.SetOnTimer([this] { PollSources(); });
  sources_.TimerShowSources.SetOnTimer([this] {
    sources_.TimerShowSources.SetEnabled(false);
    ShowSources();
  });
}

void TForm1::UseSourceList(core::OpmlReading list, const std::string& listAddress) {
  const std::string shown = core::AddressForLog(listAddress);
  Log("Sources: " + std::to_string(list.sources.size()) + " sources in " + shown);
  if (list.ignored > 0) {
    Log("Sources: " + std::to_string(list.ignored) + " sources beyond the first " +
        std::to_string(core::kMaxSources) + " ignored in " + shown);
  }
  for (const std::string& name : list.nested) {
    Log("Sources: " + platform::Utf8ToCodePage(name) + " is a source list, not followed");
  }
  const bool localList = core::SourceKindOf(listAddress) == core::SourceKind::Local;
  for (core::SourceEntry& source : list.sources) {
    source.address = platform::Utf8ToCodePage(source.address);
    if (core::SourceKindOf(source.address) == core::SourceKind::Local) {
      source.address = core::LocalSourcePath(source.address, localList ? listAddress : "");
    }
  }
  sources_.active = true;
  sources_.set.SetList(list.sources, NowMs());
  ShowSources();
  PollSources();
}

void TForm1::EndSourceList() {
  if (!sources_.active) return;
  sources_.active = false;
  sources_.set.Clear();
  sources_.TimerSources.SetEnabled(false);
  sources_.TimerShowSources.SetEnabled(false);
}

void TForm1::ForceSourceReads() {
  if (!sources_.active) return;
  sources_.set.ForceAll(NowMs());
  ArmSourcePoll();
}

void TForm1::ShowSources() {
  if (!sources_.active) return;
  std::vector<core::SourceState>& all = sources_.set.Sources();
  std::vector<core::SourceGroup> groups(all.size());
  std::transform(all.begin(), all.end(), groups.begin(), [](core::SourceState& source) {
    return core::SourceGroup{source.entry.name, &source.lines};
  });
  const core::SourceNames names =
      values_.ShowSourceNames ? core::SourceNames::Shown : core::SourceNames::Hidden;
  // The separator after each headline, as the feeds' lines end with it: it opens nothing.
  const std::u16string separator =
      core::OneLineSeparator(platform::CodePageToUtf16(values_.FeedSeparator));
  core::TextLines merged = core::MergeSourceLines(groups, names, separator);
  if (merged.Empty()) merged = core::TextLines::OneLine(u"");
  // Each source's lines were selected on their own: the merged lines are shown whole.
  LoadLines(std::move(merged), core::TextOptions{});
}

// Sources that report one after another are shown together: each showing builds the whole
// text again, and a burst of them would leave the memory of every size in between behind.
void TForm1::ShowSourcesSoon() {
  if (!sources_.TimerShowSources.Enabled()) sources_.TimerShowSources.SetEnabled(true);
}

void TForm1::PollSources() {
  sources_.TimerSources.SetEnabled(false);
  if (!sources_.active) return;
  bool changed = false;
  const auto fetching = static_cast<int>(sources_.fetches.size());
  for (core::SourceState* source : sources_.set.StartDue(NowMs(), fetching)) {
    if (source->kind == core::SourceKind::Web) {
      StartSourceFetch(*source);
    } else {
      changed = CheckLocalSource(*source) || changed;
    }
  }
  if (changed) ShowSourcesSoon();
  ArmSourcePoll();
}

void TForm1::ArmSourcePoll() {
  const std::optional<std::int64_t> next =
      sources_.set.NextDueMs(static_cast<int>(sources_.fetches.size()));
  if (!next) return;
  const std::int64_t wait = std::clamp<std::int64_t>(*next - NowMs(), 1, INT_MAX);
  sources_.TimerSources.SetInterval(static_cast<UINT>(wait));
  sources_.TimerSources.SetEnabled(true);
}

std::int64_t TForm1::SourceCheckDelayMs() const {
  return values_.UseAutoReload ? values_.GetFileDelay : 0;
}

void TForm1::StartSourceFetch(core::SourceState& source) {
  if (!sources_.logGate) {
    sources_.logGate = std::make_shared<core::LogGate>(
        [log = log_.get()](const std::string& message) { log->Log(message); });
  }
  auto worker = std::make_shared<UrlFileThread>(
      source.web.NextRequest(source.entry.address), resources_->GetString(IDS_PRODUCT),
      platform::CodePageToUtf16(values_.FeedSeparator), sources_.limits, Handle(), sources_.logGate,
      WM_SOURCE_DONE);
  SourceFetch fetch{source.id, worker, {}, 0};
  fetch.thread = UrlFileThread::Start(worker, fetch.threadId);
  if (!fetch.thread) {
    Log("Source " + NameForLog(source) + ": GetUrlFileThread creation failed");
    sources_.set.Finished(source, true, std::nullopt, NowMs(), SourceCheckDelayMs(),
                          sources_.random);
    return;
  }
  sources_.fetches.push_back(std::move(fetch));
}

void TForm1::WMSourceDone(WPARAM, LPARAM lParam) {
  const auto sender = static_cast<DWORD>(lParam);
  const auto fetch = std::find_if(sources_.fetches.begin(), sources_.fetches.end(),
                                  [sender](const SourceFetch& f) { return f.threadId == sender; });
  if (fetch == sources_.fetches.end()) return;
  const std::unique_ptr<core::WebResult> result = fetch->worker->TakeResult();
  const std::uint64_t id = fetch->sourceId;
  sources_.fetches.erase(fetch);
  // A source that left the list meanwhile takes nothing.
  core::SourceState* source = sources_.set.Find(id);
  if (source) TakeSourceResult(*source, result.get());
  PollSources();
}

void TForm1::TakeSourceResult(core::SourceState& source, core::WebResult* result) {
  bool failed = !result || result->status == core::WebStatus::Failed;
  if (result && result->status == core::WebStatus::NewLines && result->sourceList) {
    result->error = "a source list, not followed";
    failed = true;
  }
  if (failed) {
    // Its last good lines stay.
    Log("Source " + NameForLog(source) + ": " + (result ? result->error : "no result"));
  } else if (result->status == core::WebStatus::NewLines) {
    try {
      source.lines = core::SelectedLines(std::move(result->lines), ShownTextOptions());
    } catch (const std::bad_alloc&) {
      Log("Not enough memory to show " + NameForLog(source));
      failed = true;
    }
    if (!failed) ShowSourcesSoon();
  }
  if (result && result->status != core::WebStatus::Unchanged) source.web.Finished(*result);
  const std::optional<std::int64_t> retryAfter =
      result ? result->retryAfterMs : std::optional<std::int64_t>();
  sources_.set.Finished(source, failed, retryAfter, NowMs(), SourceCheckDelayMs(), sources_.random);
}

// True when the source's lines changed.
bool TForm1::CheckLocalSource(core::SourceState& source) {
  const std::string& path = source.entry.address;
  const std::int32_t stamp = platform::LastWriteStamp(path);
  const core::StampCheck check = core::CheckFileStamp(stamp, source.stamp);
  bool changed = false;
  if (check.fileMissing) {
    // As the bar's own file: a missing file shows nothing.
    Log("Source " + NameForLog(source) + ": " + path + " is missing");
    changed = !source.lines.Empty();
    source.lines.Clear();
  }
  if (check.storeStamp) {
    source.stamp = stamp;
    if (check.read) changed = ReadLocalSource(source) || changed;
  }
  sources_.set.Finished(source, false, std::nullopt, NowMs(), SourceCheckDelayMs(),
                        sources_.random);
  return changed;
}

bool TForm1::ReadLocalSource(core::SourceState& source) {
  const std::string& path = source.entry.address;
  try {
    std::optional<std::string> bytes =
        platform::ReadWholeFile(path, kLargestReadableFile, platform::FileSharing::DenyWriters);
    if (!bytes) throw std::runtime_error(path + " is gone");
    SourceText text = TextOfBody(std::move(*bytes), std::nullopt, {path, path},
                                 platform::CodePageToUtf16(values_.FeedSeparator));
    if (text.kind == SourceText::Kind::BrokenFeed) throw std::runtime_error(text.error);
    if (text.kind == SourceText::Kind::SourceList) {
      throw std::runtime_error("a source list, not followed");
    }
    source.lines = core::SelectedLines(std::move(text.lines), ShownTextOptions());
    return true;
  } catch (const std::exception& e) {
    // Read again at the next check; the last good lines stay meanwhile.
    Log("Source " + NameForLog(source) + ": " + e.what());
    source.stamp = core::StampAfterRead(source.stamp, core::ReadOutcome::Failed);
    return false;
  }
}

void TForm1::StopSourceWorkers() {
  EndSourceList();
  if (sources_.logGate) sources_.logGate->Close();
  for (SourceFetch& fetch : sources_.fetches) fetch.worker->Abort();
  // Messages are handled meanwhile: each worker's report takes it off the list.
  const DWORD start = ::GetTickCount();
  while (!sources_.fetches.empty()) {
    const DWORD waited = ::GetTickCount() - start;
    if (waited >= kExitWaitMs) break;
    std::vector<HANDLE> threads(sources_.fetches.size());
    std::transform(sources_.fetches.begin(), sources_.fetches.end(), threads.begin(),
                   [](const SourceFetch& fetch) { return fetch.thread.get(); });
    ::MsgWaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), FALSE,
                                kExitWaitMs - waited, QS_ALLINPUT);
    application_.ProcessMessages();
  }
  // Workers that still wait for their servers own what they use and end with the process.
  sources_.fetches.clear();
}
