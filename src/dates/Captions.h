#pragma once

#include <string>

#include "dates/DateValue.h"

namespace dorvane {

// The month and year above the grid, ASCII letters raised: "MARS 2005", "FéVRIER 2005".
std::string MonthBannerText(TDateTime x);

// The long date and the weekday's number counted from Sunday:
// "Mars 7, 2005 - 2 ème jour de la semaine."
std::string WeekdayLineText(TDateTime x);

// The day's number in its year: "60 ème jour".
std::string DayOfYearText(TDateTime x);

}  // namespace dorvane
