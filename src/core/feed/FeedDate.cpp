#include "core/feed/FeedDate.h"

#include <algorithm>
#include <array>

namespace core {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLetter(char c) {
  return Lower(c) >= 'a' && Lower(c) <= 'z';
}

// The text read left to right, never going back, so that any text costs one pass.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return at_ == text_.size(); }
  std::size_t Offset() const { return at_; }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }

  // Takes `c` in either case.
  bool Take(char c) {
    if (AtEnd() || Lower(text_[at_]) != Lower(c)) return false;
    ++at_;
    return true;
  }

  std::size_t SkipBlanks() { return SkipWhile(IsBlank); }

  // `least` to `most` digits (at most four, so the value always fits).
  std::optional<int> Digits(std::size_t least, std::size_t most) {
    const std::size_t from = at_;
    int value = 0;
    while (at_ - from < most && IsDigit(Peek())) value = value * 10 + (text_[at_++] - '0');
    if (at_ - from < least) return std::nullopt;
    return value;
  }

  std::string_view Word() {
    const std::size_t from = at_;
    SkipWhile(IsLetter);
    return text_.substr(from, at_ - from);
  }

  std::size_t SkipWhile(bool (*test)(char)) {
    const std::size_t from = at_;
    while (!AtEnd() && test(text_[at_])) ++at_;
    return at_ - from;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

constexpr std::array<std::string_view, 12> kMonths = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};
constexpr std::array<std::string_view, 7> kWeekdays = {
    "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};

struct Zone {
  std::string_view name;
  int hours;
};
constexpr std::array<Zone, 12> kZones = {{{"ut", 0},
                                          {"utc", 0},
                                          {"gmt", 0},
                                          {"z", 0},
                                          {"est", -5},
                                          {"edt", -4},
                                          {"cst", -6},
                                          {"cdt", -5},
                                          {"mst", -7},
                                          {"mdt", -6},
                                          {"pst", -8},
                                          {"pdt", -7}}};

bool SameIgnoringCase(std::string_view word, std::string_view lowerName) {
  if (word.size() != lowerName.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(word[i]) != lowerName[i]) return false;
  }
  return true;
}

// Where `word`, a name written whole or in its first three letters, is in `names`.
template <std::size_t N>
std::optional<int> NameIndex(std::string_view word, const std::array<std::string_view, N>& names) {
  for (std::size_t i = 0; i < N; ++i) {
    if (SameIgnoringCase(word, names[i]) || SameIgnoringCase(word, names[i].substr(0, 3))) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return month == 2 && leap ? 29 : kDays[month - 1];
}

struct Fields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;  // 60 in a leap second
  int offsetMinutes = 0;
};

std::optional<std::int64_t> SecondsOf(const Fields& f) {
  if (f.month < 1 || f.month > 12 || f.day < 1 || f.day > DaysInMonth(f.year, f.month) ||
      f.hour > 23 || f.minute > 59 || f.second > 60) {
    return std::nullopt;
  }
  const int secondsInDay = f.hour * 3600 + f.minute * 60 + f.second - f.offsetMinutes * 60;
  return DaysFromCivil(f.year, f.month, f.day) * kSecondsPerDay + secondsInDay;
}

// hh:mm and optional :ss.
bool ReadTime(Cursor& cursor, Fields& fields) {
  const auto hour = cursor.Digits(2, 2);
  if (!hour || !cursor.Take(':')) return false;
  const auto minute = cursor.Digits(2, 2);
  if (!minute) return false;
  fields.hour = *hour;
  fields.minute = *minute;
  if (!cursor.Take(':')) return true;
  const auto second = cursor.Digits(2, 2);
  if (!second) return false;
  fields.second = *second;
  return true;
}

// +hhmm, -hhmm or either with a colon.
bool ReadOffset(Cursor& cursor, Fields& fields) {
  const int sign = cursor.Take('-') ? -1 : cursor.Take('+') ? 1 : 0;
  const auto hours = cursor.Digits(2, 2);
  cursor.Take(':');
  const auto minutes = cursor.Digits(2, 2);
  if (sign == 0 || !hours || !minutes || *hours > 23 || *minutes > 59) return false;
  fields.offsetMinutes = sign * (*hours * 60 + *minutes);
  return true;
}

std::optional<std::int64_t> Rfc822Seconds(Cursor& cursor) {
  Fields fields;
  if (IsLetter(cursor.Peek())) {
    if (!NameIndex(cursor.Word(), kWeekdays)) return std::nullopt;
    const bool comma = cursor.Take(',');
    if (cursor.SkipBlanks() == 0 && !comma) return std::nullopt;
  }
  const auto day = cursor.Digits(1, 2);
  if (!day || cursor.SkipBlanks() == 0) return std::nullopt;
  const auto month = NameIndex(cursor.Word(), kMonths);
  if (!month || cursor.SkipBlanks() == 0) return std::nullopt;
  const std::size_t yearFrom = cursor.Offset();
  const auto year = cursor.Digits(2, 4);
  const std::size_t yearDigits = cursor.Offset() - yearFrom;
  if (!year || yearDigits == 3 || cursor.SkipBlanks() == 0) return std::nullopt;
  fields.year = yearDigits == 4 ? *year : *year >= 70 ? 1900 + *year : 2000 + *year;
  fields.month = *month + 1;
  fields.day = *day;
  if (!ReadTime(cursor, fields)) return std::nullopt;
  cursor.SkipBlanks();
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    if (!ReadOffset(cursor, fields)) return std::nullopt;
  } else if (!cursor.AtEnd()) {
    const std::string_view name = cursor.Word();
    const auto* zone = std::find_if(kZones.begin(), kZones.end(),
                                    [&](const Zone& z) { return SameIgnoringCase(name, z.name); });
    if (zone == kZones.end()) return std::nullopt;
    fields.offsetMinutes = zone->hours * 60;
  }
  cursor.SkipBlanks();
  if (!cursor.AtEnd()) return std::nullopt;
  return SecondsOf(fields);
}

std::optional<std::int64_t> Rfc3339Seconds(Cursor& cursor) {
  Fields fields;
  const auto year = cursor.Digits(4, 4);
  cursor.Take('-');  // there, or the text would not have been taken for this form
  const auto month = cursor.Digits(2, 2);
  if (!year || !month || !cursor.Take('-')) return std::nullopt;
  const auto day = cursor.Digits(2, 2);
  if (!day) return std::nullopt;
  fields.year = *year;
  fields.month = *month;
  fields.day = *day;
  if (cursor.Take('T') || cursor.Take(' ')) {
    if (!ReadTime(cursor, fields)) return std::nullopt;
    // A fraction of a second, of any length, changes no whole second.
    if (cursor.Take('.') && cursor.SkipWhile(IsDigit) == 0) return std::nullopt;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
      if (!ReadOffset(cursor, fields)) return std::nullopt;
    } else {
      cursor.Take('Z');
    }
  }
  cursor.SkipBlanks();
  if (!cursor.AtEnd()) return std::nullopt;
  return SecondsOf(fields);
}

bool StartsWithYearAndDash(std::string_view text) {
  return text.size() > 4 && IsDigit(text[0]) && IsDigit(text[1]) && IsDigit(text[2]) &&
         IsDigit(text[3]) && text[4] == '-';
}

}  // namespace

std::optional<std::int64_t> FeedDateSeconds(std::string_view text) {
  Cursor cursor(text);
  const std::size_t blanks = cursor.SkipBlanks();
  if (StartsWithYearAndDash(text.substr(blanks))) return Rfc3339Seconds(cursor);
  return Rfc822Seconds(cursor);
}

}  // namespace core
