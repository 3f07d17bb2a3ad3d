// The list of sources that the Sources dialog edits: what the bar shows now, and the list the
// dialog made, kept in the bar's folder (one list per running copy) and made the bar's source.

#include <algorithm>
#include <iterator>

#include "app/ResourceIds.h"
#include "app/Ticker.h"
#include "core/program/ProgramPaths.h"
#include "core/text/FileStamp.h"
#include "dialogs/Options.h"
#include "dialogs/Sources.h"
#include "platform/CodePageText.h"
#include "platform/SystemError.h"
#include "platform/TextFile.h"

namespace {

// OPML is UTF-8; the dialog's texts are in the system's code page.
std::string Utf8Of(const std::string& text) {
  return platform::CodePageToUtf8(text, platform::SystemCodePage()).value_or(text);
}

}  // namespace

std::vector<core::SourceEntry> TForm1::Sources() const {
  std::vector<core::SourceEntry> list;
  if (runner_->HasList()) {
    // The names are kept in UTF-8 for the shown text; the dialog's are in the code page.
    for (const core::SourceEntry& source : runner_->ListedSources()) {
      list.push_back({platform::Utf8ToCodePage(source.name), source.address});
    }
    return list;
  }
  const std::string& source = values_.UseFileUrl ? values_.FileUrl : values_.File;
  if (!source.empty()) list.push_back({core::FileNameOf(source), source});
  return list;
}

bool TForm1::UseSources(const std::vector<core::SourceEntry>& sources) {
  // A list the bar would never use is not saved as if it were.
  if (SourceSetByPolicy()) {
    Log("Sources: the source is set by your administrator; the list is not used");
    return false;
  }
  const std::string folder = log_->AppDataDir();
  const std::string path = folder + core::SourceListFileName(instanceNumber_);
  std::vector<core::SourceEntry> utf8(sources.size());
  std::transform(sources.begin(), sources.end(), utf8.begin(), [](const core::SourceEntry& s) {
    return core::SourceEntry{Utf8Of(s.name), Utf8Of(s.address)};
  });
  if (folder.empty()) {
    Log("Sources: no folder to keep the list in");
    return false;
  }
  // Leftovers of a save that was killed would otherwise pile up beside the list.
  platform::RemoveLeftoverTemporaries(path);
  if (!platform::ReplaceTextFile(path, core::WriteOpml(utf8, "Driftline"))) {
    Log("Sources: cannot write " + path + ": " + platform::SystemMessage(::GetLastError()));
    return false;
  }
  Log("Sources: " + std::to_string(sources.size()) + " sources written to " + path);
  ShowLocalFile(path);
  // The list is read again now; the sources that stay in it ask their servers conditionally.
  ReadListFileNow();
  SaveTickerSettings();
  return true;
}

std::string TForm1::SourceStatus(const std::string& address) const {
  return runner_->StatusOf(address);
}

// The tray icon's tip tells of failing sources, so that they are seen without the log.
void TForm1::SourcesChecked(std::size_t failing, std::size_t total) {
  std::string tip = resources_->GetString(IDS_TRAY_TIP);
  if (failing > 0) {
    tip += "\n" + std::to_string(failing) + " of " + std::to_string(total) + " sources failing";
  }
  TrayIcon2->SetToolTip(tip);
}

bool TForm1::SourceSetByPolicy() const {
  return SetByPolicy("File") || SetByPolicy("UseFileUrl") || SetByPolicy("FileUrl");
}

void TForm1::aSourcesExecute() {
  // One dialog at a time, the options' included.
  for (const char* title : {TOptionsForm::kTitle, TSourcesForm::kTitle}) {
    HWND open = ::FindWindowA(nullptr, title);
    if (open && ::IsWindowVisible(open)) return;
  }
  aRestoreExecute();
  TSourcesForm(*this, Handle()).ShowModal();
}

// Every source asked now whether it changed, but a server that asked to be left alone.
void TForm1::aRefreshExecute() {
  runner_->CheckListNow();
  TimerGetFileTimer();
}

bool TForm1::IsOwnSourceList(const std::string& path) const {
  const std::string folder = log_->AppDataDir();
  return !folder.empty() &&
         ::lstrcmpiA(path.c_str(), (folder + core::SourceListFileName(instanceNumber_)).c_str()) ==
             0;
}

void TForm1::ReadListFileNow() {
  text_.fileTimestamp = core::kStampForceRead;
  TimerGetFileTimer();
}
