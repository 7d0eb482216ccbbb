#pragma once

#include <chrono>
#include <cstdint>

namespace dorvane {

// A date value counts days from 30 December 1899 (day 0) in its whole part; its fraction is
// the time of day. Proleptic Gregorian calendar; valid from 1 January 0001 to 31 December 9999.
// The calendar itself is the standard library's (<chrono>); this file only adapts the value.
using TDateTime = double;

inline constexpr TDateTime kMinDate = -693593.0;  // 1 January 0001
inline constexpr TDateTime kMaxDate = 2958465.0;  // 31 December 9999
inline constexpr std::int64_t kMsPerDay = 86400000;

// Day 0 of the date values, on the civil calendar.
inline constexpr std::chrono::sys_days kDateZero{std::chrono::year{1899} / 12 / 30};

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

// The Gregorian leap-year rule, for the years the calendar knows (-32767 to 32767).
constexpr bool YearIsLeap(int year) {
  return std::chrono::year{year}.is_leap();
}

// Days in the month; 0 for a month outside 1 to 12.
constexpr int MonthLength(int year, int month) {
  if (month < 1 || month > 12) return 0;
  const auto last = std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                    std::chrono::last;
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

// x in milliseconds, rounded half to even; saturates far outside the valid dates (NaN is 0).
std::int64_t DateValueMs(TDateTime x);

namespace detail {
std::chrono::days DaysOfMs(TDateTime x);
DateParts SplitOutsideDay(std::chrono::days n);
[[noreturn]] void ThrowDateEncodingError();
inline constexpr std::chrono::days kFirstDay{-693593};  // 1 January 0001
inline constexpr std::chrono::days kLastDay{2958465};   // 31 December 9999
}  // namespace detail

// The day of x counted from day 0: the whole part, toward zero, of x rounded to milliseconds
// (so a hair before midnight is already the next day).
inline std::chrono::days DaysOf(TDateTime x) {
  // A whole number of days needs no rounding: dates without a time of day take the short road.
  if (x > -1e9 && x < 1e9) {
    const auto whole = static_cast<std::int32_t>(x);
    if (static_cast<TDateTime>(whole) == x) return std::chrono::days{whole};
  }
  return detail::DaysOfMs(x);
}

// The date value of a civil day.
constexpr TDateTime DateValueOf(std::chrono::sys_days day) {
  return static_cast<TDateTime>((day - kDateZero).count());
}

// The date value of the moment `ms` milliseconds into the day `date` (a whole date value). The
// fraction counts away from zero as the whole part does, so before day 0 the time of day is
// taken away: 29 December 1899 at 06:00 is -1.25.
inline TDateTime MomentValue(TDateTime date, std::int64_t ms) {
  const TDateTime fraction = static_cast<TDateTime>(ms) / static_cast<TDateTime>(kMsPerDay);
  return date < 0 ? date - fraction : date + fraction;
}

// Time of day of x in milliseconds (the absolute value of its fraction, for negative values).
std::int64_t TimeOfDayMs(TDateTime x);

// Same validation as MakeDate, without raising.
inline bool TryMakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                        TDateTime& out) {
  // The month is checked before chrono sees it: chrono keeps a month in one byte.
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > MonthLength(year, month)) {
    return false;
  }
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                         std::chrono::day{day}};
  out = DateValueOf(std::chrono::sys_days{date});
  return true;
}

// Encodes a date; raises EConvertError with the date-encoding message when the parts are not
// a valid date of the years 1 to 9999.
inline TDateTime MakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  TDateTime result = 0;
  if (!TryMakeDate(year, month, day, result)) detail::ThrowDateEncodingError();
  return result;
}

// Year, month and day of x; 0, 0, 0 before 1 January 0001. Beyond 31 December 9999 the
// calendar goes on in 400-year cycles, the year kept in 16 bits.
inline DateParts SplitDate(TDateTime x) {
  const auto parts = [](std::chrono::days n) {
    const std::chrono::year_month_day date{kDateZero + n};
    return DateParts{static_cast<std::uint16_t>(static_cast<int>(date.year())),
                     static_cast<std::uint16_t>(static_cast<unsigned>(date.month())),
                     static_cast<std::uint16_t>(static_cast<unsigned>(date.day()))};
  };
  // A valid day without a time of day, the common case, goes straight to the civil date.
  if (x >= kMinDate && x <= kMaxDate) {
    const auto whole = static_cast<std::int32_t>(x);
    if (static_cast<TDateTime>(whole) == x) return parts(std::chrono::days{whole});
  }
  const std::chrono::days n = DaysOf(x);
  // One unsigned comparison finds the days on either side of the valid ones.
  if (static_cast<std::uint64_t>((n - detail::kFirstDay).count()) >
      static_cast<std::uint64_t>((detail::kLastDay - detail::kFirstDay).count())) {
    return detail::SplitOutsideDay(n);
  }
  return parts(n);
}

// Hour, minute, second and millisecond of x.
TimeParts SplitTime(TDateTime x);

// 1 = Sunday ... 7 = Saturday.
inline int WeekdayNumber(TDateTime x) {
  return static_cast<int>(std::chrono::weekday{kDateZero + DaysOf(x)}.c_encoding()) + 1;
}

// Today's local date, whole day, and the local moment, read from the active clock.
TDateTime TodayDate();
TDateTime CurrentMoment();

}  // namespace dorvane
