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
  // Every day's age and quarter are the sweep's test; here the edges: a new moon, a quarter and
  // a full moon on their own day, the previous lunation's last day, an age of 30.
  const LineCase cases[] = {
      {2000, 1, 5, "Lune : 29° jour  (dernier quartier)"},
      {2000, 1, 6, "Lune : 1° jour  (nouvelle lune)"},
      {2000, 1, 13, "Lune : 8° jour  (premier quartier)"},
      {2000, 1, 21, "Lune : 16° jour  (pleine lune)"},
      // Whole-day phase dates let a lunation reach a thirtieth day.
      {2000, 2, 4, "Lune : 30° jour  (dernier quartier)"},
      // Around the calendar reform: phase dates before it are Gregorian days too.
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
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const double x : {kMinDate - 1, kMaxDate + 1, -1e300, 1e300, nan, inf, -inf}) {
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
}

}  // namespace
}  // namespace dorvane
