#pragma once

#include <array>
#include <cstdint>

namespace dorvane {

// A date value counts days from 30 December 1899 (day 0) in its whole part; its fraction is
// the time of day. Proleptic Gregorian calendar; valid from 1 January 0001 to 31 December 9999.
using TDateTime = double;

inline constexpr TDateTime kMinDate = -693593.0;  // 1 January 0001
inline constexpr TDateTime kMaxDate = 2958465.0;  // 31 December 9999
inline constexpr std::int64_t kMsPerDay = 86400000;
// Day number of 30 December 1899, counting 1 January 0001 as day 1.
inline constexpr std::int64_t kDateDelta = 693594;

struct DateParts {
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t day = 0;
  friend bool operator==(const DateParts&, const DateParts&) = default;
};

struct TimeParts {
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t millisecond = 0;
  friend bool operator==(const TimeParts&, const TimeParts&) = default;
};

// Day counts of the months, January first: row 0 for common years, row 1 for leap years.
inline constexpr std::array<std::array<std::uint16_t, 12>, 2> MonthLengths{{
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
}};

constexpr bool YearIsLeap(std::uint16_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int DaysInMonth(std::uint16_t year, std::uint16_t month) {
  return MonthLengths[YearIsLeap(year) ? 1 : 0][month - 1];
}

// x in milliseconds, rounded half to even.
std::int64_t DateValueMs(TDateTime x);

// Day number of x: 1 January 0001 is 1; values before it give 0 or less.
std::int64_t DayNumber(TDateTime x);

// Time of day of x in milliseconds (the absolute value of its fraction, for negative values).
std::int64_t TimeOfDayMs(TDateTime x);

// Encodes a date; raises EConvertError with the date-encoding message when the parts are not
// a valid date of the years 1 to 9999.
TDateTime MakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day);

// Same validation as MakeDate, without raising.
bool TryMakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day, TDateTime& out);

// Year, month and day of x; 0, 0, 0 before 1 January 0001.
DateParts SplitDate(TDateTime x);

// Hour, minute, second and millisecond of x.
TimeParts SplitTime(TDateTime x);

// 1 = Sunday ... 7 = Saturday.
int WeekdayNumber(TDateTime x);

// Today's local date, whole day, and the local moment, read from the active clock.
TDateTime TodayDate();
TDateTime CurrentMoment();

}  // namespace dorvane
