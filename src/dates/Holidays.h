#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dates/DateValue.h"

namespace dorvane {

// The French public holidays (the eleven of the Code du travail), known for the years in which
// all eleven have been holidays together: from 1982, 8 May having been restored in late 1981.
inline constexpr int kFirstHolidayYear = 1982;
inline constexpr int kLastHolidayYear = 9999;

// Easter Sunday of the year by the Gregorian computus (proleptic before 1583); all zeros for a
// year outside 1 to 9999.
DateParts EasterSunday(int year);

struct Holiday {
  DateParts Date;
  std::string_view Name;
  friend bool operator==(const Holiday&, const Holiday&) = default;
};

// The year's holidays in date order (two that fall on one day keep the order of the table);
// empty outside kFirstHolidayYear .. kLastHolidayYear.
std::vector<Holiday> HolidaysOf(int year);

// The holiday on that day; when two fall on it (Ascension on 1 or 8 May) their names joined
// by ", " in the table's order. nullopt on an ordinary day, an invalid date or a year outside
// kFirstHolidayYear .. kLastHolidayYear.
std::optional<std::string> HolidayName(int year, int month, int day);

}  // namespace dorvane
