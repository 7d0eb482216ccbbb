// Checks of the moon-phase line over every valid date, against two independent computations:
// - a sweep that lists every mean quarter in time order and walks the days along it, with the
//   calendar day of each moment found through the Julian-Day-to-calendar algorithm and
//   std::chrono (no lunation estimate, no window);
// - the original day-by-day procedure, step by step (yearly estimate, eight phase dates turned
//   into calendar dates, Julian before the reform, each built by MakeDate), which
//   must agree line for line from 26 October 1582 to 13 September 4103.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MoonLineBeforeMends.h"
#include "dates/DateValue.h"
#include "dates/Moon.h"

namespace dorvane {
namespace {

using namespace dorvane::testing;

// ---- Sweep oracle ------------------------------------------------------------------------

struct Quarter {
  double date;
  int kind;  // 0 new moon ... 3 last quarter
};

// Every mean quarter from a little before 1 January 0001 to a little after 31 December 9999.
std::vector<Quarter> AllQuarters() {
  std::vector<Quarter> quarters;
  for (int q = -23600 * 4; q <= 100300 * 4; ++q) {
    const Civil c = CivilOfJulianDay(MeanPhaseJde(q / 4.0), true);
    quarters.push_back({ValueOf(c.year, c.month, c.day), ((q % 4) + 4) % 4});
  }
  return quarters;
}

TEST(MoonSweep, EveryValidDayAgreesWithTheQuarterSweep) {
  const std::vector<Quarter> quarters = AllQuarters();
  for (std::size_t i = 1; i < quarters.size(); ++i) {
    ASSERT_LT(quarters[i - 1].date, quarters[i].date) << i;
  }
  ASSERT_LT(quarters.front().date, kMinDate);
  ASSERT_GT(quarters.back().date, kMaxDate);
  std::size_t latest = 0;  // index of the latest quarter not after x
  double latestNewMoon = std::nan("");
  for (std::size_t i = 0; quarters[i].date <= kMinDate; ++i) {
    latest = i;
    if (quarters[i].kind == 0) latestNewMoon = quarters[i].date;
  }
  for (double x = kMinDate; x <= kMaxDate; ++x) {
    while (quarters[latest + 1].date <= x) {
      ++latest;
      if (quarters[latest].kind == 0) latestNewMoon = quarters[latest].date;
    }
    const MoonPhase phase = MoonPhaseOf(x);
    ASSERT_EQ(phase.age, static_cast<int>(x - latestNewMoon) + 1) << x;
    ASSERT_EQ(static_cast<int>(phase.quarter), quarters[latest].kind) << x;
  }
}

// The original procedure gives its known lines at both ends of the range where the line must
// be the original one; otherwise the comparison below would prove nothing.
TEST(MoonSweep, TheOriginalProcedureKeepsItsKnownFaults) {
  EXPECT_EQ(OriginalLine(ValueOf(2000, 1, 5)), "Lune : 29° jour  (dernier quartier)");
  EXPECT_EQ(OriginalLine(ValueOf(1582, 10, 17)), "Lune : 31° jour  (pleine lune)");
  EXPECT_EQ(OriginalLine(ValueOf(1582, 10, 25)), "Lune : 39° jour  (dernier quartier)");
  EXPECT_EQ(OriginalLine(ValueOf(1582, 10, 26)), "Lune : 1° jour  (nouvelle lune)");
  EXPECT_EQ(OriginalLine(ValueOf(4103, 9, 14)), "Lune : 0° jour ");
}

TEST(MoonSweep, FromTheReformTo4103TheLineIsTheOriginalOne) {
  const double from = ValueOf(1582, 10, 26);
  const double to = ValueOf(4103, 9, 13);
  for (double x = from; x <= to; ++x) {
    const std::optional<OriginalPhase> original = OriginalPhaseOf(x);
    ASSERT_TRUE(original) << x;
    const MoonPhase phase = MoonPhaseOf(x);
    ASSERT_EQ(phase.age, original->age) << x;
    ASSERT_EQ(static_cast<int>(phase.quarter), original->quarter) << x;
    // The texts too, on a day in seven (every age and quarter meets it many times over).
    if (static_cast<long>(x) % 7 == 0) {
      ASSERT_EQ(MoonPhaseLine(x), OriginalLineText(*original)) << x;
    }
  }
  // Just outside, the two part ways.
  EXPECT_NE(MoonPhaseLine(from - 1), *OriginalLine(from - 1));
  EXPECT_NE(MoonPhaseLine(to + 1), *OriginalLine(to + 1));
}

}  // namespace
}  // namespace dorvane
