// The text source: checking the file, reading it, building the shown text, and the two ways
// the user picks a new file. Also the logo picture.

#include "app/Ticker.h"

#include <algorithm>
#include <climits>
#include <new>

#include "app/SourceText.h"
#include "core/text/FileStamp.h"
#include "core/text/TextPipeline.h"
#include "core/text/TickerTextOptions.h"
#include "platform/CodePageText.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/SoundLibrary.h"
#include "platform/SystemError.h"
#include "platform/TextFile.h"

namespace {

constexpr int kReadAttempts = 6;
constexpr DWORD kReadRetryMs = 10;

core::TextLines DefaultVerticalLines() {
  std::u16string text;
  for (const std::u16string_view line : core::kDefaultVerticalLines) {
    text.append(line);
    text += u'\n';
  }
  return core::TextLines(std::move(text));
}

}  // namespace

void TForm1::ShowDefaultText() {
  Marquee1->SetScrollText(std::u16string(core::kDefaultMarqueeText));
  SetShownLines(DefaultVerticalLines());
  text_.marqueeGeneration = 0;
  ResetVerticalLines();
}

bool TForm1::MarqueeShowsShownLines() const {
  return text_.marqueeGeneration != 0 && text_.marqueeGeneration == Marquee1->TextGeneration();
}

void TForm1::SetShownLines(core::TextLines lines) {
  text_.RichEdit1.SetLines(std::move(lines));
  text_.shownItems =
      core::ItemTable(text_.RichEdit1.Paragraphs(), [this](std::u16string_view line) {
        return core::ItemTable::LineLink{text_.RichEdit1.LinkOf(line),
                                         text_.RichEdit1.LinkedSize(line),
                                         text_.RichEdit1.ItemOf(line)};
      });
}

// A width too small for any character leaves the lines as they are rather than breaking them
// into one line per character.
std::vector<std::u16string_view> TForm1::DisplayLinesAt(core::TextMeasurer& measurer, int width) {
  if (width <= 0) return text_.RichEdit1.Paragraphs();
  return text_.RichEdit1.Wrap(measurer, width);
}

const std::vector<std::u16string_view>& TForm1::ShownLines() {
  return text_.RichEdit1.Paragraphs();
}

std::string TForm1::LinkOfShown(std::u16string_view piece) {
  return std::string(text_.shownItems.OfPiece(piece));
}

void TForm1::TimerGetFileTimer() {
  text_.TimerGetFile.SetEnabled(false);
  Log("TimerGetFileTimer");
  if (values_.UseFileUrl) {
    // The worker's report sets the next check, from how this one went.
    StartGetUrlFileThread();
    return;
  }
  Log("TimerGetFileTimer get local file: " + values_.File);
  if (values_.File.empty()) return;
  const std::int32_t stamp = platform::LastWriteStamp(values_.File);
  Log("Get timestamp: " + std::to_string(stamp) +
      " (old fileTimestamp: " + std::to_string(text_.fileTimestamp) + " " + values_.File + ")");
  const core::StampCheck check = core::CheckFileStamp(stamp, text_.fileTimestamp);
  text_.FileMissing = check.fileMissing;
  if (text_.FileMissing) {
    if (values_.HideOnMissing) aMinimizeExecute();
    LoadFile(core::TextLines::OneLine(u""));
  }
  if (check.storeStamp) {
    text_.fileTimestamp = stamp;
    if (check.read) ReadLocalFile();
  }
  ApplyAutoReload();
}

void TForm1::ApplyAutoReload() {
  std::int64_t delay = values_.GetFileDelay;
  // A list file that cannot be read is looked at less and less often, as a failing server is.
  if (text_.listReads.failuresInARow > 0) {
    delay = core::NextCheckDelayMs(text_.listReads, delay, text_.random);
  }
  ArmSourceCheck(static_cast<UINT>(std::clamp<std::int64_t>(delay, 0, INT_MAX)));
}

void TForm1::NoteListRead(bool failed, const std::string& failure) {
  if (!runner_->HasList()) return;
  text_.listReads = core::After(text_.listReads, failed, std::nullopt, values_.File);
  if (failed && failure != text_.listFailure) Log("Sources: cannot read the list: " + failure);
  text_.listFailure = failed ? failure : std::string();
}

void TForm1::ArmSourceCheck(UINT delayMs) {
  if (optionsOpen_) return;  // the dialog arms it when it closes
  text_.TimerGetFile.SetInterval(delayMs);
  text_.TimerGetFile.SetEnabled(values_.UseAutoReload);
}

void TForm1::StopSourceChecks() {
  text_.TimerGetFile.SetEnabled(false);
}

void TForm1::ForceRead() {
  text_.fileTimestamp = core::kStampForceRead;
  runner_->ForceRootDownload();
  runner_->ForceListReads();
}

void TForm1::ReadSourceNow() {
  ForceRead();
  TimerGetFileTimer();
}

void TForm1::ReadLocalFile() {
  Log("Read file " + values_.File);
  std::optional<std::string> bytes = ReadLocalBytes();
  if (!bytes) return;
  NoteListRead(false);
  std::optional<SourceText> read = TextOfLocalFile(std::move(*bytes));
  if (!read) {
    ForgetStampAfterFailedRead();
    return;
  }
  if (read->kind == SourceText::Kind::SourceList) {
    text_.FileEmpty = false;
    runner_->UseSourceList(std::move(read->list), values_.File);
    return;
  }
  // The list the Sources dialog keeps is never shown as text: a damaged one leaves the sources
  // as they were until it changes again.
  if (IsOwnSourceList(values_.File)) {
    Log("Sources: " + values_.File + " is not a list of sources; the last good list stays");
    return;
  }
  core::TextLines lines = std::move(read->lines);
  text_.FileEmpty = lines.Empty();
  if (text_.FileEmpty) {
    text_.fileTimestamp = core::StampAfterRead(text_.fileTimestamp, core::ReadOutcome::Empty);
    Log("Empty file " + values_.File);
    if (values_.HideOnEmpty) aMinimizeExecute();
    lines = core::TextLines::OneLine(u"");
  }
  if (!LoadFile(std::move(lines))) ForgetStampAfterFailedRead();
}

std::optional<std::string> TForm1::ReadLocalBytes() {
  // A list that keeps failing the same way has said so once.
  const bool quiet = text_.listReads.failuresInARow > 0;
  const auto log = [&](const std::string& line) {
    if (!quiet) Log(line);
  };
  std::string failure;
  try {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
      if (attempt > 0) ::Sleep(kReadRetryMs);
      try {
        std::optional<std::string> bytes = platform::ReadWholeFile(
            values_.File, kLargestReadableFile, platform::FileSharing::DenyWriters);
        if (bytes) return bytes;
        failure = values_.File + " is gone";
      } catch (const platform::SystemError& e) {
        failure = e.what();  // held by a writer, say: worth another try
      }
      log("Read file failed");
    }
    log("Read file failed: " + failure);
  } catch (const platform::FileTooLarge& e) {
    // Reading it again cannot help: the stamp stays, so it waits for the file to change.
    log(std::string("Read file failed: ") + e.what());
    NoteListRead(true, e.what());
    return std::nullopt;
  } catch (const std::bad_alloc&) {
    Log("Not enough memory to read " + values_.File);
  }
  NoteListRead(true, failure);
  ForgetStampAfterFailedRead();
  return std::nullopt;
}

// A feed's headlines, a list of sources, or the text as it is; nullopt after a logged failure.
std::optional<SourceText> TForm1::TextOfLocalFile(std::string bytes) {
  try {
    SourceText text = TextOfBody(std::move(bytes), std::nullopt, {values_.File, values_.File},
                                 platform::CodePageToUtf16(values_.FeedSeparator));
    if (text.kind == SourceText::Kind::BrokenFeed) {
      Log(text.error);
      return std::nullopt;
    }
    if (text.repairs > 0) Log(text.RepairLine(values_.File));
    if (text.kind == SourceText::Kind::Feed) Log(text.FeedLine(values_.File));
    return text;
  } catch (const std::bad_alloc&) {
    Log("Not enough memory to read " + values_.File);
    return std::nullopt;
  }
}

// The next check reads the file again instead of waiting for it to change.
void TForm1::ForgetStampAfterFailedRead() {
  text_.fileTimestamp = core::StampAfterRead(text_.fileTimestamp, core::ReadOutcome::Failed);
}

// The bar's own source gave lines: they are its text, and no list's.
bool TForm1::LoadFile(core::TextLines FileLines) {
  runner_->EndSourceList();
  return LoadLines(std::move(FileLines), ShownTextOptions());
}

bool TForm1::LoadLines(core::TextLines FileLines, const core::TextOptions& options) {
  SetPaused(false);
  std::u16string text;
  try {
    text = core::BuildText(FileLines, options);
  } catch (const std::bad_alloc&) {
    Log("Not enough memory to show the new text; the old text stays");
    return false;
  }
  // The marquee takes the joined text over, so a large file never costs more than its bytes
  // and one text. Changed means: what the marquee keeps, after replacing control codes.
  if (!Marquee1->TakeScrollText(std::move(text))) return true;
  SetShownLines(std::move(FileLines));
  text_.marqueeGeneration = Marquee1->TextGeneration();
  ResetVerticalLines();
  RestartHideTimer();
  SetPaused(false);
  if (values_.SoundOnChange) PlayChangeSound();
  if (values_.ShowOnChange && !text_.FileMissing && !text_.FileEmpty) aRestoreExecute();
  return true;
}

// A web text or a list stands for the source now, so a local file's missing or empty state no
// longer keeps a change from bringing the bar back.
bool TForm1::ShowRootLines(core::TextLines lines) {
  text_.FileMissing = false;
  text_.FileEmpty = false;
  return LoadFile(std::move(lines));
}

void TForm1::ShowListLines(core::TextLines lines) {
  text_.FileMissing = false;
  text_.FileEmpty = false;
  // Each source's lines were selected on their own: the merged lines are shown whole.
  LoadLines(std::move(lines), core::TextOptions{});
}

void TForm1::ArmRootCheck(std::int64_t delayMs) {
  ArmSourceCheck(static_cast<UINT>(std::clamp<std::int64_t>(delayMs, 0, INT_MAX)));
}

void TForm1::CheckRootAgain() {
  if (values_.UseFileUrl) TimerGetFileTimer();
}

void TForm1::SyncSourceRunner() {
  runner_->SetValues({platform::CodePageToUtf16(values_.FeedSeparator), ShownTextOptions(),
                      values_.ShowSourceNames, values_.GetFileDelay, values_.UseAutoReload});
  runner_->SetRoot(values_.UseFileUrl ? values_.FileUrl : values_.File);
}

// The stored CommentStr is compared with the shown lines as they are decoded.
core::TextOptions TForm1::ShownTextOptions() const {
  return core::TextOptionsOf(values_, platform::CodePageToUtf16(values_.CommentStr));
}

void TForm1::PlayChangeSound() {
  Log("Play sound file " + values_.WavFile);
  if (!platform::FileExists(values_.WavFile)) return;
  try {
    platform::winmm::PlaySoundFile(values_.WavFile.c_str());
  } catch (const platform::SystemError& e) {
    Log(e.what());  // as a sound that cannot play: the text changes all the same
  }
}

void TForm1::ShowLocalFile(const std::string& path) {
  core::TickerSettings values = values_;
  values.UseFileUrl = false;
  values.File = path;
  ApplyValues(values);
}

void TForm1::aLoadFileExecute(HWND owner) {
  Log("Open file dialog opened");
  const std::optional<std::string> path =
      platform::OpenFileDialog(owner ? owner : Handle(), {.initial = values_.File});
  if (!path) return;
  ShowLocalFile(*path);
  ForceRead();
  TimerGetFileTimer();
  aRestoreExecute();
  SaveTickerSettings();
}

void TForm1::FilesDropped(HDROP drop) {
  const UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
  std::string name(static_cast<size_t>(length) + 1, '\0');
  const UINT copied = ::DragQueryFileA(drop, 0, name.data(), length + 1);
  name.resize(copied);
  ::DragFinish(drop);
  ShowLocalFile(name);
  Log("File dropped: " + name);
  aRestoreExecute();
  ForceRead();
  TimerGetFileTimer();
  SaveTickerSettings();
}

void TForm1::LoadLogo() {
  // No file is no picture, not the one shown before.
  if (values_.LogoFile.empty()) {
    text_.imgLogo.reset();
    return;
  }
  Log("Load logo file " + values_.LogoFile);
  if (!platform::FileExists(values_.LogoFile)) return;
  try {
    text_.imgLogo = platform::LoadPicture(values_.LogoFile);
  } catch (const std::exception& e) {
    Log("Load logo file failed");
    Log(std::string("Load logo file: ") + e.what());
  }
}
