#include "dates/Weeks.h"

#include <chrono>

namespace dorvane {

namespace {

using namespace std::chrono;

// 53 when the year's 1 January is a Thursday, or a Wednesday in a leap year; else 52.
int IsoWeeksInYear(year y, weekday newYearsDay) {
  const unsigned first = newYearsDay.iso_encoding();
  return first == 4 || (first == 3 && y.is_leap()) ? 53 : 52;
}

}  // namespace

IsoWeekNumber IsoWeekOf(TDateTime date) {
  const days n = DaysOf(date);
  if (n < detail::kFirstDay || n > detail::kLastDay) return {0, 0};
  const sys_days day = kDateZero + n;
  const year y = year_month_day{day}.year();
  const sys_days newYearsDay{y / January / 1};
  const int dayOfYear = static_cast<int>((day - newYearsDay).count()) + 1;
  const int isoDay = static_cast<int>(weekday{day}.iso_encoding());  // 1 Monday .. 7 Sunday
  // The week whose Monday is within three days before 1 January is week 1.
  const int week = (dayOfYear - isoDay + 10) / 7;
  if (week < 1) {
    const year before = y - years{1};
    return {static_cast<int>(before), IsoWeeksInYear(before, weekday{sys_days{before / 1 / 1}})};
  }
  if (week == 53 && IsoWeeksInYear(y, weekday{newYearsDay}) == 52) {
    return {static_cast<int>(y) + 1, 1};
  }
  return {static_cast<int>(y), week};
}

}  // namespace dorvane
