#include "core/text/FileStamp.h"

#include <algorithm>

namespace core {
namespace {

constexpr int kFirstDosYear = 1980;
constexpr int kLastDosYear = 2107;

}  // namespace

std::int32_t PackDosDateTime(const LocalDateTime& time) {
  // Clamped rather than refused: a file dated 1970 exists and must not read as missing.
  LocalDateTime t = time;
  if (t.year < kFirstDosYear) t = LocalDateTime{};
  if (t.year > kLastDosYear) t = {kLastDosYear, 12, 31, 23, 59, 59};

  const auto field = [](int value, int low, int high) {
    return static_cast<std::uint32_t>(std::clamp(value, low, high));
  };
  const std::uint32_t date = (field(t.year - kFirstDosYear, 0, 127) << 9) |
                             (field(t.month, 1, 12) << 5) | field(t.day, 1, 31);
  const std::uint32_t clock =
      (field(t.hour, 0, 23) << 11) | (field(t.minute, 0, 59) << 5) | field(t.second / 2, 0, 29);
  return static_cast<std::int32_t>((date << 16) | clock);
}

std::int32_t FileStampOf(PathKind kind, const LocalDateTime& lastWrite) {
  return kind == PathKind::File ? PackDosDateTime(lastWrite) : kStampMissing;
}

StampCheck CheckFileStamp(std::int32_t stamp, std::int32_t fileTimestamp) {
  StampCheck check;
  check.fileMissing = stamp == kStampMissing;
  check.storeStamp = stamp != fileTimestamp;
  check.read = check.storeStamp && !check.fileMissing;
  return check;
}

std::int32_t StampAfterRead(std::int32_t stamp, ReadOutcome outcome) {
  switch (outcome) {
    case ReadOutcome::Lines: return stamp;
    case ReadOutcome::Empty: return kStampEmpty;
    case ReadOutcome::Failed: return kStampForceRead;
  }
  return kStampForceRead;
}

}  // namespace core
