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

std::chrono::days DaysOfMs(TDateTime x) {
  const std::int64_t ms = DateValueMs(x);
  const std::int64_t days = (ms < 0 ? -ms : ms) / kMsPerDay;
  return std::chrono::days{ms < 0 ? -days : days};
}

void ThrowDateEncodingError() {
  throw EConvertError(kDateEncodingMessage);
}

// Nothing before 1 January 0001; after 31 December 9999, whole 400-year cycles (146097 days)
// bring the day back into the years 1 to 400.
DateParts SplitOutsideDay(std::chrono::days n) {
  if (n < kFirstDay) return {};
  constexpr std::int64_t kCycle = 146097;
  const std::int64_t sinceFirst = (n - kFirstDay).count();
  DateParts parts = SplitDate(DateValueOf(kDateZero + kFirstDay) + sinceFirst % kCycle);
  parts.year = static_cast<std::uint16_t>(parts.year + 400 * (sinceFirst / kCycle));
  return parts;
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
  const std::int64_t ms = ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
  return MomentValue(MakeDate(t.year, t.month, t.day), ms);
}

}  // namespace dorvane
