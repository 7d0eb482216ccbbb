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

// Days in the months before each month, January first, in the same two rows.
inline constexpr std::array<std::array<std::uint16_t, 12>, 2> kDaysBeforeMonth{{
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
}};

constexpr bool YearIsLeap(std::uint16_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int DaysInMonth(std::uint16_t year, std::uint16_t month) {
  return MonthLengths[YearIsLeap(year) ? 1 : 0][month - 1];
}

// x in milliseconds, rounded half to even; saturates far outside the valid dates (NaN is 0).
std::int64_t DateValueMs(TDateTime x);

namespace detail {
std::int64_t DayNumberFromMs(TDateTime x);
DateParts SplitDayNumberByCycles(std::int64_t n);
[[noreturn]] void ThrowDateEncodingError();

// Day number n (1 = 1 January 0001) without loops or wide divisions: years are counted from
// 1 March of year 0, so that the leap day ends the year, and the year of the century, the day
// of the year, the month and the day come from multiply-and-shift steps on 32 bits (after Neri
// and Schneider, "Euclidean affine functions and their application to calendar algorithms").
// Valid for 1 <= n <= kFastSplitLimit, where 4 * (n + 305) + 3 still fits in 32 bits.
inline constexpr std::int64_t kFastSplitLimit = 1'000'000'000;

constexpr DateParts SplitDayNumberFast(std::int64_t n) {
  const auto computational = static_cast<std::uint32_t>(n + 305);  // 1 March 0000 is 0
  const std::uint32_t n1 = 4 * computational + 3;
  const std::uint32_t century = n1 / 146097;
  const std::uint32_t dayOfCentury = n1 % 146097 / 4;
  const std::uint32_t n2 = 4 * dayOfCentury + 3;
  const std::uint64_t p2 = std::uint64_t{2939745} * n2;
  const auto yearOfCentury = static_cast<std::uint32_t>(p2 >> 32);
  const std::uint32_t dayOfYear = static_cast<std::uint32_t>(p2) / 2939745 / 4;
  const std::uint32_t n3 = 2141 * dayOfYear + 197913;
  const std::uint32_t month = n3 >> 16;  // 3 = March ... 14 = February
  const std::uint32_t day = (n3 & 0xFFFF) / 2141 + 1;
  const std::uint32_t januaryOn = dayOfYear >= 306 ? 1 : 0;
  return {static_cast<std::uint16_t>(100 * century + yearOfCentury + januaryOn),
          static_cast<std::uint16_t>(month - 12 * januaryOn), static_cast<std::uint16_t>(day)};
}
}  // namespace detail

// Day number of x: 1 January 0001 is 1; values before it give 0 or less.
inline std::int64_t DayNumber(TDateTime x) {
  // A whole number of days needs no rounding of milliseconds: the common case of a date
  // without time of day takes the short road.
  if (x > -1e9 && x < 1e9) {
    const auto whole = static_cast<std::int32_t>(x);
    if (static_cast<TDateTime>(whole) == x) return whole + kDateDelta;
  }
  return detail::DayNumberFromMs(x);
}

// Time of day of x in milliseconds (the absolute value of its fraction, for negative values).
std::int64_t TimeOfDayMs(TDateTime x);

// Same validation as MakeDate, without raising.
inline bool TryMakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                        TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const int leap = YearIsLeap(year) ? 1 : 0;
  if (day > MonthLengths[leap][month - 1u]) return false;
  const std::int32_t p = year - 1;
  const std::int32_t dayOfYear = kDaysBeforeMonth[leap][month - 1u] + day;
  out = static_cast<TDateTime>(p * 365 + p / 4 - p / 100 + p / 400 + dayOfYear -
                               static_cast<std::int32_t>(kDateDelta));
  return true;
}

// Encodes a date; raises EConvertError with the date-encoding message when the parts are not
// a valid date of the years 1 to 9999.
inline TDateTime MakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  TDateTime result = 0;
  if (!TryMakeDate(year, month, day, result)) detail::ThrowDateEncodingError();
  return result;
}

// Year, month and day of x; 0, 0, 0 before 1 January 0001.
inline DateParts SplitDate(TDateTime x) {
  const std::int64_t n = DayNumber(x);
  if (n <= 0) return {};
  if (n <= detail::kFastSplitLimit) return detail::SplitDayNumberFast(n);
  return detail::SplitDayNumberByCycles(n);
}

// Hour, minute, second and millisecond of x.
TimeParts SplitTime(TDateTime x);

// 1 = Sunday ... 7 = Saturday.
inline int WeekdayNumber(TDateTime x) {
  const std::int64_t n = DayNumber(x);
  if (n >= 0 && n <= 0x7FFFFFFF) return static_cast<int>(static_cast<std::uint32_t>(n) % 7) + 1;
  const std::int64_t r = n % 7;  // kept non-negative for values before 1 January 0001
  return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

// Today's local date, whole day, and the local moment, read from the active clock.
TDateTime TodayDate();
TDateTime CurrentMoment();

}  // namespace dorvane
