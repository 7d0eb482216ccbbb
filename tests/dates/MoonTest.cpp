#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "dates/ConvertError.h"
#include "dates/DateValue.h"
#include "dates/Moon.h"

namespace dorvane {
namespace {

TDateTime D(int y, int m, int d) {
  return MakeDate(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                  static_cast<std::uint16_t>(d));
}

struct LineCase {
  int y, m, d;
  const char* line;
};

TEST(MoonPhaseLine, KnownDays) {
  const LineCase cases[] = {
      // The lunations of December 1999 and January 2000.
      {2000, 1, 5, "Lune : 29° jour  (dernier quartier)"},
      {2000, 1, 6, "Lune : 1° jour  (nouvelle lune)"},
      {2000, 1, 12, "Lune : 7° jour  (nouvelle lune)"},
      {2000, 1, 13, "Lune : 8° jour  (premier quartier)"},
      {2000, 1, 20, "Lune : 15° jour  (premier quartier)"},
      {2000, 1, 21, "Lune : 16° jour  (pleine lune)"},
      {2000, 1, 27, "Lune : 22° jour  (pleine lune)"},
      {2000, 1, 28, "Lune : 23° jour  (dernier quartier)"},
      // Whole-day phase dates let a lunation reach a thirtieth day.
      {2000, 2, 4, "Lune : 30° jour  (dernier quartier)"},
      {2000, 2, 5, "Lune : 1° jour  (nouvelle lune)"},
      {2005, 3, 7, "Lune : 27° jour  (dernier quartier)"},
      {1900, 1, 1, "Lune : 1° jour  (nouvelle lune)"},
      // Around the calendar reform: phase dates before it are Gregorian days too.
      {1582, 10, 15, "Lune : 19° jour  (pleine lune)"},
      {1582, 10, 17, "Lune : 21° jour  (pleine lune)"},
      {1582, 10, 25, "Lune : 29° jour  (dernier quartier)"},
      {1582, 10, 26, "Lune : 1° jour  (nouvelle lune)"},
      // Far ahead the yearly estimate runs a lunation ahead; the window follows the date.
      {4103, 9, 14, "Lune : 30° jour  (dernier quartier)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MoonPhaseLine(D(c.y, c.m, c.d)), c.line) << c.y << "-" << c.m << "-" << c.d;
  }
}

TEST(MoonPhaseLine, DegreeSignIsUtf8AndTwoBlanksPrecedeTheQuarter) {
  const std::string line = MoonPhaseLine(D(2000, 1, 6));
  EXPECT_EQ(line, "Lune : 1\xC2\xB0 jour  (nouvelle lune)");
}

TEST(MoonPhaseLine, PhaseDatesOfTheJanuary2000Window) {
  // Lunation 1237 is the new moon of 6 January 2000; the window of 5 January starts one
  // lunation earlier.
  EXPECT_EQ(MoonLunationEstimate(D(2000, 1, 5)), 1237);
  const TDateTime expected[] = {D(1999, 12, 8), D(1999, 12, 15), D(1999, 12, 22), D(1999, 12, 30),
                                D(2000, 1, 6),  D(2000, 1, 13),  D(2000, 1, 21),  D(2000, 1, 28)};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(MoonPhaseDate(1236 + 0.25 * i), expected[i]) << i;
  }
  EXPECT_EQ(MoonPhaseDate(0), D(1900, 1, 1));
}

TEST(MoonPhaseLine, PhaseDatesOutsideTheValidYearsAreStillDays) {
  // The first new moons of year 1 fall in year 0; the last of 9999 in year 10000.
  // Estimates: -23488 on 1 January 0001, 100185 on 31 December 9999.
  EXPECT_EQ(MoonLunationEstimate(kMinDate), -23488);
  EXPECT_EQ(MoonLunationEstimate(kMaxDate), 100185);
  const TDateTime early = MoonPhaseDate(-23489);
  EXPECT_LT(early, kMinDate);
  EXPECT_GT(early, kMinDate - 60);
  EXPECT_EQ(early, std::trunc(early));
  const TDateTime late = MoonPhaseDate(100185.75);
  EXPECT_GT(late, kMaxDate);
  EXPECT_LT(late, kMaxDate + 90);
  EXPECT_EQ(late, std::trunc(late));
}

TEST(MoonPhaseLine, EveryValidDayOfTheFormerFailureRangesGivesALine) {
  // First and last days of the range, and the Februaries whose Julian 29th used to be encoded.
  const struct {
    int y1, m1, d1, y2, m2, d2;
  } ranges[] = {{1, 1, 1, 1, 2, 8},       {9999, 10, 22, 9999, 12, 31}, {300, 2, 1, 300, 4, 3},
                {1000, 2, 1, 1000, 4, 4}, {1500, 2, 25, 1500, 4, 26},   {8697, 2, 23, 8697, 3, 31}};
  for (const auto& r : ranges) {
    for (TDateTime x = D(r.y1, r.m1, r.d1); x <= D(r.y2, r.m2, r.d2); ++x) {
      const MoonPhase phase = MoonPhaseOf(x);
      EXPECT_GE(phase.age, 1) << x;
      EXPECT_LE(phase.age, 30) << x;
      EXPECT_NE(phase.quarter, MoonQuarter::kNone) << x;
    }
  }
  EXPECT_EQ(MoonPhaseLine(kMinDate).rfind("Lune : ", 0), 0u);
  EXPECT_EQ(MoonPhaseLine(kMaxDate).rfind("Lune : ", 0), 0u);
}

TEST(MoonPhaseLine, AMomentCountsAsItsDay) {
  const TDateTime day = D(2000, 1, 5);
  // An evening before the new moon stays on the lunation's last day.
  EXPECT_EQ(MoonPhaseLine(day + 0.75), MoonPhaseLine(day));
  EXPECT_EQ(MoonPhaseLine(day + 0.5), MoonPhaseLine(day));
  // A negative value's day is its whole part toward zero.
  EXPECT_EQ(MoonPhaseLine(-1.25), MoonPhaseLine(-1.0));
  EXPECT_EQ(MoonPhaseLine(kMaxDate + 0.999), MoonPhaseLine(kMaxDate));
  EXPECT_EQ(MoonPhaseLine(kMinDate - 0.999), MoonPhaseLine(kMinDate));
}

TEST(MoonPhaseLine, InvalidDatesRaiseTheDateEncodingError) {
  const double values[] = {kMinDate - 1,
                           kMaxDate + 1,
                           -1e300,
                           1e300,
                           std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()};
  for (const double x : values) {
    try {
      MoonPhaseLine(x);
      ADD_FAILURE() << x << " gave a line";
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "Argument incorrect pour l'encodage de date");
    }
    EXPECT_THROW(MoonLunationEstimate(x), EConvertError) << x;
  }
}

TEST(MoonPhaseLine, ThirtyFirstDecemberAndTheNextFirstJanuaryShareTheEstimate) {
  for (int y = 1; y < 9999; ++y) {
    ASSERT_EQ(MoonLunationEstimate(D(y, 12, 31)), MoonLunationEstimate(D(y + 1, 1, 1))) << y;
  }
  // Both stand at f = 2000: 100 years of 12.3685 lunations.
  EXPECT_EQ(MoonLunationEstimate(D(1999, 12, 31)), 1237);
  // 1 January 1900 is lunation 0 itself.
  EXPECT_EQ(MoonLunationEstimate(D(1900, 1, 1)), 0);
}

TEST(MoonPhaseLine, EstimateRoundsHalvesToEven) {
  // 1000 years of 12.3685 lunations make an exact half: the years 900, 2900, 4900 and 8900
  // (and 31 December before each) stand on ties.
  const struct {
    int year;
    int k0;
  } cases[] = {{900, -12368}, {2900, 12368}, {4900, 37106}, {8900, 86580}};
  for (const auto& c : cases) {
    EXPECT_EQ(MoonLunationEstimate(D(c.year, 1, 1)), c.k0) << c.year;
    EXPECT_EQ(MoonLunationEstimate(D(c.year - 1, 12, 31)), c.k0) << c.year;
  }
  // Away from ties the nearest integer: f - 1900 = 2 gives 24.737, f - 1900 = -2 gives -24.737.
  EXPECT_EQ(MoonLunationEstimate(D(1902, 1, 1)), 25);
  EXPECT_EQ(MoonLunationEstimate(D(1898, 1, 1)), -25);
}

}  // namespace
}  // namespace dorvane
