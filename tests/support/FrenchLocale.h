#pragma once

#include "dates/DateLocale.h"

namespace dorvane::testing {

// The names and long date of a French system ("lundi 7 mars 2005"), as the user's settings
// give them; the rest keeps the defaults.
inline DateLocale FrenchLongDates() {
  DateLocale locale;
  locale.MonthNames = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                       "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
  locale.DayNames = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
  locale.LongDatePattern = "dddd d mmmm yyyy";
  return locale;
}

}  // namespace dorvane::testing
