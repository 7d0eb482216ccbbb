#include <chrono>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "dates/ConvertError.h"
#include "dates/DateValue.h"
#include "platform/Clock.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

// 30 December 1899 as days since the Unix epoch: the standard library's civil calendar serves
// as the independent oracle.
const int kEpochShift = static_cast<int>(sys_days{year{1899} / 12 / 30}.time_since_epoch().count());

// Every valid day against the civil calendar of std::chrono; and on a day in thirteen, every
// day around day 0, a moment's value holds its day in the whole part, toward zero, and its time
// of day in the fraction, away from zero, both read off the value with the standard library.
TEST(DateValue, EveryValidDayAndMomentAgreesWithStdChrono) {
  const sys_days first{year{1} / 1 / 1};
  const sys_days last{year{9999} / 12 / 31};
  const std::int64_t times[] = {0, 1, 999, 1000, 6 * 3600000, 43200000, 86399000, 86399999};
  int previousWeekday = 0;
  long count = 0;
  for (sys_days d = first; d <= last; d += std::chrono::days{1}) {
    const year_month_day ymd{d};
    const int n = static_cast<int>(d.time_since_epoch().count()) - kEpochShift;
    const double value = n;
    const auto y = static_cast<std::uint16_t>(static_cast<int>(ymd.year()));
    const auto m = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month()));
    const auto dd = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day()));
    ASSERT_EQ(MakeDate(y, m, dd), value) << y << "-" << m << "-" << dd;
    const DateParts parts = SplitDate(value);
    ASSERT_EQ(parts, (DateParts{y, m, dd})) << value;
    const int weekday = WeekdayNumber(value);
    ASSERT_EQ(weekday, static_cast<int>(std::chrono::weekday{d}.c_encoding()) + 1) << value;
    if (previousWeekday != 0) {
      ASSERT_EQ(weekday, previousWeekday % 7 + 1);
    }
    previousWeekday = weekday;
    if (count++ % 13 != 0 && std::abs(n) > 31) continue;
    for (const std::int64_t ms : times) {
      const double x = MomentValue(value, ms);
      ASSERT_EQ(std::trunc(x), n) << x;
      ASSERT_EQ(std::llround(std::fabs(x - std::trunc(x)) * 86400000.0), ms) << x;
      ASSERT_EQ(SplitDate(x), parts) << x;
      const auto t = static_cast<int>(ms / 1000);
      ASSERT_EQ(
          SplitTime(x),
          (TimeParts{static_cast<std::uint16_t>(t / 3600), static_cast<std::uint16_t>(t / 60 % 60),
                     static_cast<std::uint16_t>(t % 60), static_cast<std::uint16_t>(ms % 1000)}))
          << x;
    }
  }
  EXPECT_EQ(count, 3652059);
  EXPECT_EQ(MomentValue(-1, 6 * 3600000), -1.25);
}

// Among them, a month or a day that would wrap around in one byte.
TEST(DateValue, MakeDateRefusesInvalidParts) {
  const int cases[][3] = {
      {2005, 2, 29}, {0, 1, 1},    {2005, 13, 1}, {2005, 1, 0},   {10000, 1, 1},
      {1900, 2, 29}, {2005, 0, 1}, {2005, 4, 31}, {2005, 257, 1}, {2005, 1, 257},
  };
  for (const auto& c : cases) {
    try {
      MakeDate(static_cast<std::uint16_t>(c[0]), static_cast<std::uint16_t>(c[1]),
               static_cast<std::uint16_t>(c[2]));
      ADD_FAILURE() << c[0] << "-" << c[1] << "-" << c[2] << " was accepted";
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "Argument incorrect pour l'encodage de date");
    }
  }
}

TEST(DateValue, SplitDateEdges) {
  EXPECT_EQ(SplitDate(-693594), (DateParts{0, 0, 0}));
  // Milliseconds are rounded before the day is taken: a hair before midnight is midnight.
  EXPECT_EQ(SplitDate(1.0 - 1e-10), (DateParts{1899, 12, 31}));
}

TEST(DateValue, ValuesFarOutsideTheRangeStaySafe) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(DateValueMs(nan), 0);
  EXPECT_GT(DateValueMs(inf), 0);
  EXPECT_LT(DateValueMs(-1e300), 0);
  EXPECT_EQ(SplitDate(-inf), (DateParts{0, 0, 0}));
  for (const double x : {nan, inf, -inf, 1e300, -1e300, 1e15, -1e15}) {
    const int weekday = WeekdayNumber(x);
    EXPECT_TRUE(weekday >= 1 && weekday <= 7) << x;
    const TimeParts t = SplitTime(x);
    EXPECT_LT(t.hour, 24) << x;
    SplitDate(x);
  }
}

TEST(DateValue, SplitDateBeyondTheValidRangeKeepsTheFourHundredYearCycle) {
  // The calendar repeats every 146097 days (400 years): days after 31 December 9999, near it
  // and very far, repeat the month and day of a valid date, the year kept in 16 bits.
  constexpr double kCycle = 146097;
  for (const int cycles : {1, 6844, 500000}) {
    for (double x = kMaxDate - 800; x <= kMaxDate + 800; ++x) {
      const DateParts far = SplitDate(x + kCycle * cycles);
      const DateParts near = SplitDate(x);
      ASSERT_EQ(far.month, near.month) << x;
      ASSERT_EQ(far.day, near.day) << x;
      ASSERT_EQ(far.year, static_cast<std::uint16_t>(near.year + 400 * cycles)) << x;
    }
  }
}

TEST(DateValue, TodayAndCurrentMomentReadTheActiveClock) {
  platform::FixedClock clock({9999, 12, 31, 23, 59, 59, 999});
  const platform::ServicesScope services({.clock = &clock});
  EXPECT_EQ(TodayDate(), 2958465.0);
  EXPECT_EQ(SplitTime(CurrentMoment()), (TimeParts{23, 59, 59, 999}));
  EXPECT_EQ(SplitDate(CurrentMoment()), (DateParts{9999, 12, 31}));
  clock.Set({2005, 3, 7, 0, 0, 0, 0});
  EXPECT_EQ(CurrentMoment(), 38418.0);
}

}  // namespace
}  // namespace dorvane
