#include <chrono>

#include <gtest/gtest.h>

#include "dates/Weeks.h"

namespace dorvane {
namespace {

using namespace std::chrono;

// Every valid day against the Thursday rule, on the standard library's calendar: a day's ISO
// week is its week's Thursday's week, counted in that Thursday's year from the first one.
TEST(IsoWeek, EveryValidDayFollowsItsThursday) {
  const sys_days first{year{1} / 1 / 1};
  const sys_days last{year{9999} / 12 / 31};
  for (sys_days d = first; d <= last; d += days{1}) {
    const sys_days thursday = d - (weekday{d} - Monday) + days{3};
    const year y = year_month_day{thursday}.year();
    const int week = static_cast<int>((thursday - sys_days{y / January / 1}).count()) / 7 + 1;
    const IsoWeekNumber expected{static_cast<int>(y), week};
    ASSERT_EQ(IsoWeekOf(DateValueOf(d)), expected) << (d - kDateZero).count();
  }
  EXPECT_EQ(IsoWeekOf(kMaxDate + 0.5), (IsoWeekNumber{9999, 52}));
  EXPECT_EQ(IsoWeekOf(kMaxDate + 1), (IsoWeekNumber{0, 0}));
  EXPECT_EQ(IsoWeekOf(kMinDate - 1), (IsoWeekNumber{0, 0}));
  EXPECT_EQ(IsoWeekOf(1e300), (IsoWeekNumber{0, 0}));
}

}  // namespace
}  // namespace dorvane
