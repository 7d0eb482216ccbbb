#pragma once

#include "dates/DateValue.h"

namespace dorvane {

// An ISO 8601 week: weeks start on Monday and week 1 of a year is the one that holds its first
// Thursday, so the first days of January may belong to the last week of the year before and
// the last days of December to week 1 of the next. Year is that week-year.
struct IsoWeekNumber {
  int Year;
  int Week;
  friend bool operator==(const IsoWeekNumber&, const IsoWeekNumber&) = default;
};

// The ISO week of the day of `date` (a moment counts as its day); {0, 0} outside the valid
// dates, 1 January 0001 to 31 December 9999. Cheap enough to be called for every row of the
// grid on every repaint.
IsoWeekNumber IsoWeekOf(TDateTime date);

}  // namespace dorvane
