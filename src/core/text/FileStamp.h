#pragma once
// `fileTimestamp`: the local file's last-write time as a packed MS-DOS local date and time, the
// date in the high 16 bits, the time in the low 16 at 2-second resolution. Years outside
// 1980..2107 are clamped to the first or last moment that can be packed. No packed date has
// month 0 or 15, so the marker values below never collide with a stamp, not even the negative
// ones of the years from 2044 on.

#include <cstdint>

namespace core {

inline constexpr std::int32_t kStampMissing = -1;   // no such path, or a directory
inline constexpr std::int32_t kStampEmpty = -2;     // the last read gave no lines
inline constexpr std::int32_t kStampForceRead = 0;  // set by callers to read at the next check

// A broken-down local time as the system gives it (month and day from 1).
struct LocalDateTime {
  int year = 1980;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The packed stamp of a local time.
std::int32_t PackDosDateTime(const LocalDateTime& time);

enum class PathKind { Missing, Directory, File };

// The stamp of a path: kStampMissing unless it is a file, else its packed last-write time.
std::int32_t FileStampOf(PathKind kind, const LocalDateTime& lastWrite);

// What a source check does with a fresh stamp.
struct StampCheck {
  bool fileMissing = false;  // `FileMissing`: show one empty line
  bool storeStamp = false;   // the stamp differs from `fileTimestamp`: store it
  bool read = false;         // and read the file (`ReadLocalFile`)
};

// Compares the fresh `stamp` with `fileTimestamp`; a missing file is never read.
StampCheck CheckFileStamp(std::int32_t stamp, std::int32_t fileTimestamp);

enum class ReadOutcome { Lines, Empty, Failed };

// `fileTimestamp` after a read at `stamp`; after a failure none, so the next check reads again.
std::int32_t StampAfterRead(std::int32_t stamp, ReadOutcome outcome);

}  // namespace core
