// The text source: checking the file, reading it, building the shown text, and the two ways
// the user picks a new file. Also the logo picture.

#include "app/Ticker.h"

// After windows.h, which they need.
#include <commdlg.h>
#include <mmsystem.h>

#include <algorithm>
#include <new>

#include "core/FileStamp.h"
#include "core/TextPipeline.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kReadAttempts = 6;
constexpr DWORD kReadRetryMs = 10;
// A text this large cannot be shown usefully and would cost several times its size in memory.
constexpr LONGLONG kLargestReadableFile = 256LL * 1024 * 1024;

std::int32_t TakeFileStamp(const std::string& path) {
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return core::kStampMissing;
  ::FindClose(search);
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return core::kStampMissing;
  FILETIME local{};
  SYSTEMTIME time{};
  ::FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
  ::FileTimeToSystemTime(&local, &time);
  return core::FileStampOf(core::PathKind::File, {time.wYear, time.wMonth, time.wDay, time.wHour,
                                                  time.wMinute, time.wSecond});
}

}  // namespace

void TForm1::TimerGetFileTimer() {
  TimerGetFile.SetEnabled(false);
  Log("TimerGetFileTimer");
  if (values_.UseFileUrl) {
    StartGetUrlFileThread();
    TimerGetFile.SetEnabled(values_.UseAutoReload);
    return;
  }
  Log("TimerGetFileTimer get local file: " + values_.File);
  if (values_.File.empty()) return;
  const std::int32_t stamp = TakeFileStamp(values_.File);
  Log("Get timestamp: " + std::to_string(stamp) +
      " (old fileTimestamp: " + std::to_string(fileTimestamp) + " " + values_.File + ")");
  const core::StampCheck check = core::CheckFileStamp(stamp, fileTimestamp);
  FileMissing = check.fileMissing;
  if (FileMissing) {
    if (values_.HideOnMissing) aMinimizeExecute();
    FileLines = core::TextLines::OneLine("");
    LoadFile();
  }
  if (check.storeStamp) {
    fileTimestamp = stamp;
    if (check.read) ReadLocalFile();
  }
  TimerGetFile.SetEnabled(values_.UseAutoReload);
}

TForm1::ReadResult TForm1::ReadFileBytes(std::string& bytes) {
  platform::UniqueHandle file(::CreateFileA(values_.File.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                            nullptr));
  if (!file) return ReadResult::Failed;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return ReadResult::Failed;
  if (size.QuadPart > kLargestReadableFile) {
    Log("File too large to show: " + std::to_string(size.QuadPart) + " bytes");
    return ReadResult::TooLarge;
  }
  try {
    bytes.resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    Log("Not enough memory to read " + std::to_string(size.QuadPart) + " bytes");
    return ReadResult::TooLarge;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) {
      return ReadResult::Failed;
    }
    if (read == 0) break;  // the file shrank while being read
    done += read;
  }
  bytes.resize(done);
  return ReadResult::Read;
}

void TForm1::ReadLocalFile() {
  Log("Read file " + values_.File);
  std::string bytes;
  ReadResult result = ReadResult::Failed;
  for (int attempt = 0; attempt < kReadAttempts && result == ReadResult::Failed; ++attempt) {
    if (attempt > 0) ::Sleep(kReadRetryMs);
    result = ReadFileBytes(bytes);
    if (result != ReadResult::Read) Log("Read file failed");
  }
  if (result != ReadResult::Read) {
    // Forget the stamp, so that the next check tries again instead of waiting for a change.
    fileTimestamp = core::StampAfterRead(fileTimestamp, core::ReadOutcome::Failed);
    return;
  }
  FileLines = core::TextLines(std::move(bytes));
  FileEmpty = FileLines.Empty();
  if (FileEmpty) {
    fileTimestamp = core::StampAfterRead(fileTimestamp, core::ReadOutcome::Empty);
    Log("Empty file " + values_.File);
    if (values_.HideOnEmpty) aMinimizeExecute();
    FileLines = core::TextLines::OneLine("");
  }
  LoadFile();
}

core::TextOptions TForm1::TextOptions() const {
  core::TextOptions options;
  options.useComment = values_.UseComment;
  options.commentStr = values_.CommentStr;
  options.loadFirstLines = values_.LoadFirstLines;
  options.loadLastLines = values_.LoadLastLines;
  options.linesToLoad = values_.LinesToLoad;
  return options;
}

void TForm1::LoadFile() {
  SetPaused(false);
  // The marquee takes the joined text over, so a large file never costs more than its bytes
  // and one text. Changed means: what the marquee keeps, after replacing control codes.
  if (!Marquee1->TakeScrollText(core::BuildText(FileLines, TextOptions()))) return;
  RichEdit1.SetLines(std::move(FileLines));
  FileLines = core::TextLines();
  if (values_.Vertical) {
    TimerVertLineDelay.SetEnabled(false);
    TimerVertLineDelayTimer();
    TimerVertLineDelay.SetEnabled(true);
  }
  TimerHideTime.SetEnabled(false);
  TimerHideTime.SetEnabled(values_.HideOnTimer);
  SetPaused(false);
  if (values_.SoundOnChange) PlayChangeSound();
  if (values_.ShowOnChange && !FileMissing && !FileEmpty) aRestoreExecute();
}

void TForm1::PlayChangeSound() {
  Log("Play sound file " + values_.WavFile);
  if (!platform::FileExists(values_.WavFile)) return;
  ::PlaySoundA(values_.WavFile.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

void TForm1::aLoadFileExecute() {
  Log("Open file dialog opened");
  // Room for the longest path the system allows, not just MAX_PATH.
  std::string path(32768, '\0');
  path.replace(0, std::min(values_.File.size(), path.size() - 1), values_.File);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!::GetOpenFileNameA(&dialog)) return;
  path.resize(path.find('\0'));
  values_.UseFileUrl = false;
  values_.File = path;
  fileTimestamp = core::kStampForceRead;
  TimerGetFileTimer();
  aRestoreExecute();
  SaveTickerSettings();
}

void TForm1::FilesDropped(HDROP drop) {
  values_.UseFileUrl = false;
  const UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
  std::string name(static_cast<size_t>(length) + 1, '\0');
  const UINT copied = ::DragQueryFileA(drop, 0, name.data(), length + 1);
  name.resize(copied);
  ::DragFinish(drop);
  values_.File = name;
  Log("File dropped: " + name);
  aRestoreExecute();
  fileTimestamp = core::kStampForceRead;
  TimerGetFileTimer();
  SaveTickerSettings();
}

void TForm1::LoadLogo() {
  if (values_.LogoFile.empty()) return;
  Log("Load logo file " + values_.LogoFile);
  if (!platform::FileExists(values_.LogoFile)) return;
  try {
    imgLogo = platform::LoadPicture(values_.LogoFile);
  } catch (const std::exception& e) {
    Log("Load logo file failed");
    Log(std::string("Load logo file: ") + e.what());
  }
}
