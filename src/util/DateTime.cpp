#include "util/DateTime.h"

#include <cmath>

namespace {

constexpr int64_t kMSecsPerDay = 24 * 60 * 60 * 1000;
// Days from 1970-01-01 back to 1899-12-30.
constexpr int64_t kUnixDateDelta = 25569;

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

TDateParts CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

// Milliseconds into the day; a fraction that rounds up to a whole day stays in the day.
int64_t MilliSecondsOfDay(TDateTime value) {
  double fraction = std::fabs(value - std::trunc(value));
  int64_t ms = std::llround(fraction * kMSecsPerDay);
  return ms >= kMSecsPerDay ? kMSecsPerDay - 1 : ms;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    return false;
  result = static_cast<double>(DaysFromCivil(year, month, day) + kUnixDateDelta);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int milliSecond, TDateTime& result) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      milliSecond < 0 || milliSecond > 999)
    return false;
  result = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + milliSecond) / kMSecsPerDay;
  return true;
}

TDateParts DecodeDate(TDateTime value) {
  return CivilFromDays(static_cast<int64_t>(std::trunc(value)) - kUnixDateDelta);
}

TTimeParts DecodeTime(TDateTime value) {
  int64_t ms = MilliSecondsOfDay(value);
  return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
          static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

TDateTime FileDateToDateTime(int32_t fileDate) {
  const uint32_t packed = static_cast<uint32_t>(fileDate);
  const uint32_t date = packed >> 16, time = packed & 0xFFFF;
  TDateTime d = 0, t = 0;
  if (!TryEncodeDate(static_cast<int>(date >> 9) + 1980, (date >> 5) & 15, date & 31, d) ||
      !TryEncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0, t))
    return 0;
  return d + t;
}
