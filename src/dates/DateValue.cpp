#include "dates/DateValue.h"

#include <cmath>

#include "dates/ConvertError.h"
#include "platform/Clock.h"

namespace dorvane {

std::int64_t TimeOfDayMs(TDateTime x) {
  const std::int64_t ms = DateValueMs(x);
  return (ms < 0 ? -ms : ms) % kMsPerDay;
}

std::int64_t DateValueMs(TDateTime x) {
  const double ms = x * static_cast<double>(kMsPerDay);
  // Far outside the valid dates (and for NaN) the value only has to stay a safe integer:
  // it saturates instead of overflowing the conversion.
  constexpr double kLimit = 9e18;
  if (!(ms > -kLimit && ms < kLimit)) {
    if (std::isnan(ms)) return 0;
    return ms < 0 ? -static_cast<std::int64_t>(kLimit) : static_cast<std::int64_t>(kLimit);
  }
  // Round half to even: adding and taking away 2^52 leaves the nearest integer in the default
  // rounding mode. It is what nearbyint does, without a call into the math library.
  constexpr double kTwo52 = 4503599627370496.0;
  if (ms >= kTwo52 || ms <= -kTwo52) return static_cast<std::int64_t>(ms);  // already whole
  const double rounded = ms >= 0 ? (ms + kTwo52) - kTwo52 : -((-ms + kTwo52) - kTwo52);
  return static_cast<std::int64_t>(rounded);
}

namespace detail {

std::int64_t DayNumberFromMs(TDateTime x) {
  const std::int64_t ms = DateValueMs(x);
  const std::int64_t days = (ms < 0 ? -ms : ms) / kMsPerDay;
  return (ms < 0 ? -days : days) + kDateDelta;
}

void ThrowDateEncodingError() {
  throw EConvertError(kDateEncodingMessage);
}

// The walk through 400-, 100-, 4- and 1-year cycles and then the months, for any day number
// from 1 on. It serves day numbers beyond the range of the fast path.
DateParts SplitDayNumberByCycles(std::int64_t n) {
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
  // The leap rule on the full year: its 16-bit remainder would not keep the century rule.
  const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
  const auto& row = MonthLengths[leap ? 1 : 0];
  int m = 0;
  while (m < 11 && d >= row[static_cast<std::size_t>(m)]) d -= row[static_cast<std::size_t>(m++)];
  return {static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m + 1),
          static_cast<std::uint16_t>(d + 1)};
}

}  // namespace detail

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
