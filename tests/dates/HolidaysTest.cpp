#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "dates/Holidays.h"

namespace dorvane {
namespace {

using namespace std::chrono;

// The anonymous Gregorian algorithm (Meeus, after Jones and Butcher), a computation of its own
// beside the program's epact-based one.
DateParts AnonymousGregorianEaster(int y) {
  const int a = y % 19;
  const int b = y / 100;
  const int c = y % 100;
  const int d = b / 4;
  const int e = b % 4;
  const int f = (b + 8) / 25;
  const int g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4;
  const int k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31;
  const int day = (h + l - 7 * m + 114) % 31 + 1;
  return {static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(month),
          static_cast<std::uint16_t>(day)};
}

TEST(Holidays, EasterAgreesWithTheAnonymousAlgorithmEveryYear) {
  for (int y = 1583; y <= 9999; ++y) {
    const DateParts easter = EasterSunday(y);
    ASSERT_EQ(easter, AnonymousGregorianEaster(y)) << y;
    ASSERT_EQ(weekday{year{y} / easter.month / easter.day}, Sunday) << y;
  }
  EXPECT_EQ(EasterSunday(0), DateParts{});
  EXPECT_EQ(EasterSunday(10000), DateParts{});
}

// The list of a year in date order. 2008: Ascension on 1 May, both kept, the day named for both.
TEST(Holidays, KnownYearsInDateOrder) {
  std::vector<std::string> listed;
  for (const Holiday& h : HolidaysOf(2008)) {
    EXPECT_EQ(h.Date.year, 2008);
    listed.push_back(std::to_string(h.Date.month) + "/" + std::to_string(h.Date.day) + " " +
                     std::string(h.Name));
  }
  EXPECT_EQ(listed,
            (std::vector<std::string>{
                "1/1 Jour de l'an", "3/24 Lundi de Pâques", "5/1 Fête du Travail", "5/1 Ascension",
                "5/8 Victoire 1945", "5/12 Lundi de Pentecôte", "7/14 Fête nationale",
                "8/15 Assomption", "11/1 Toussaint", "11/11 Armistice 1918", "12/25 Noël"}));
  EXPECT_EQ(HolidayName(2008, 5, 1), "Fête du Travail, Ascension");
  EXPECT_EQ(HolidayName(2005, 5, 16), "Lundi de Pentecôte");
  EXPECT_EQ(HolidayName(2005, 5, 17), std::nullopt);
}

TEST(Holidays, KnownOnlyFrom1982To9999) {
  struct Edge {
    int year;
    bool known;
  };
  for (const Edge e : {Edge{0, false}, Edge{1981, false}, Edge{1982, true}, Edge{9999, true},
                       Edge{10000, false}, Edge{-2005, false}}) {
    EXPECT_EQ(HolidaysOf(e.year).size(), e.known ? 11u : 0u) << e.year;
    EXPECT_EQ(HolidayName(e.year, 12, 25).has_value(), e.known) << e.year;
  }
  EXPECT_EQ(HolidayName(2005, 2, 29), std::nullopt);
  EXPECT_EQ(HolidayName(2005, 13, 1), std::nullopt);
  EXPECT_EQ(HolidayName(2005, 0, 1), std::nullopt);
}

}  // namespace
}  // namespace dorvane
