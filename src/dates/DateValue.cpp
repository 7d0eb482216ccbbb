#include "dates/DateValue.h"

#include <cmath>

#include "dates/ConvertError.h"
#include "platform/Clock.h"

namespace dorvane {

std::int64_t DateValueMs(TDateTime x) {
  // nearbyint rounds half to even in the default rounding mode.
  return static_cast<std::int64_t>(std::nearbyint(x * static_cast<double>(kMsPerDay)));
}

std::int64_t DayNumber(TDateTime x) {
  const std::int64_t ms = DateValueMs(x);
  const std::int64_t days = (ms < 0 ? -ms : ms) / kMsPerDay;
  return (ms < 0 ? -days : days) + kDateDelta;
}

std::int64_t TimeOfDayMs(TDateTime x) {
  const std::int64_t ms = DateValueMs(x);
  return (ms < 0 ? -ms : ms) % kMsPerDay;
}

bool TryMakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const auto& row = MonthLengths[YearIsLeap(year) ? 1 : 0];
  if (day > row[month - 1]) return false;
  int dayOfYear = day;
  for (int m = 0; m < month - 1; ++m) dayOfYear += row[static_cast<std::size_t>(m)];
  const std::int64_t p = year - 1;
  out = static_cast<double>(p * 365 + p / 4 - p / 100 + p / 400 + dayOfYear - kDateDelta);
  return true;
}

TDateTime MakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  TDateTime result = 0;
  if (!TryMakeDate(year, month, day, result)) throw EConvertError(kDateEncodingMessage);
  return result;
}

DateParts SplitDate(TDateTime x) {
  const std::int64_t n = DayNumber(x);
  if (n <= 0) return {};
  std::int64_t d = n - 1;
  std::int64_t y = 1 + 400 * (d / 146097);
  d %= 146097;
  std::int64_t i = d / 36524;
  d %= 36524;
  if (i == 4) {  // the last day of a 400-year cycle
    i = 3;
    d += 36524;
  }
  y += 100 * i;
  y += 4 * (d / 1461);
  d %= 1461;
  i = d / 365;
  d %= 365;
  if (i == 4) {  // 31 December of a leap year
    i = 3;
    d += 365;
  }
  y += i;
  const auto& row = MonthLengths[YearIsLeap(static_cast<std::uint16_t>(y)) ? 1 : 0];
  int m = 0;
  while (d >= row[static_cast<std::size_t>(m)]) d -= row[static_cast<std::size_t>(m++)];
  return {static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m + 1),
          static_cast<std::uint16_t>(d + 1)};
}

TimeParts SplitTime(TDateTime x) {
  std::int64_t t = TimeOfDayMs(x);
  TimeParts r;
  r.millisecond = static_cast<std::uint16_t>(t % 1000);
  t /= 1000;
  r.second = static_cast<std::uint16_t>(t % 60);
  t /= 60;
  r.minute = static_cast<std::uint16_t>(t % 60);
  r.hour = static_cast<std::uint16_t>(t / 60);
  return r;
}

int WeekdayNumber(TDateTime x) {
  // Day numbers of valid dates are positive; the modulo is kept non-negative for the rest.
  const std::int64_t r = DayNumber(x) % 7;
  return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

TDateTime TodayDate() {
  const platform::LocalTime t = platform::ActiveClock().Now();
  return MakeDate(t.year, t.month, t.day);
}

TDateTime CurrentMoment() {
  const platform::LocalTime t = platform::ActiveClock().Now();
  const double ms = t.hour * 3600000.0 + t.minute * 60000.0 + t.second * 1000.0 + t.millisecond;
  return MakeDate(t.year, t.month, t.day) + ms / static_cast<double>(kMsPerDay);
}

}  // namespace dorvane
