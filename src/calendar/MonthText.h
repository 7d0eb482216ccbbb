#pragma once

#include <string>
#include <vector>

#include "dates/DateValue.h"

namespace dorvane {

// The calendar grid of the date's month as text, the week starting on Monday as in the main
// window: the header row of short day names, then the six day rows. Each cell is its text
// right-aligned in a field of five columns (wider when a name needs it, to keep a blank
// before it), the current cell written "[text]", a blank cell all blanks. With `weekNumbers`
// each line starts with a field of four columns: "Sem." on the header row, the row's ISO 8601
// week number right-aligned on a row of days, blanks on a row without days. Raises
// EConvertError for a date outside the years 1 to 9999.
std::vector<std::string> MonthText(TDateTime date, bool weekNumbers = false);

}  // namespace dorvane
