// Date-time values as the program keeps them: a double counting days since
// 1899-12-30 00:00, the fraction being the time of day. For values before that day
// the time of day is the absolute fraction (-1.25 is 1899-12-29 06:00).
#pragma once

#include <cstdint>

using TDateTime = double;

struct TDateParts {
  int Year, Month, Day;
};
struct TTimeParts {
  int Hour, Minute, Second, MilliSecond;
};

// False for a date that does not exist (month 13, February 30, year 0).
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int milliSecond, TDateTime& result);
TDateParts DecodeDate(TDateTime value);
TTimeParts DecodeTime(TDateTime value);

// A packed file date (date in the high word: year since 1980, month, day; time in the
// low word: hours, minutes, seconds / 2) as a date-time; 0 for an impossible date.
TDateTime FileDateToDateTime(int32_t fileDate);
