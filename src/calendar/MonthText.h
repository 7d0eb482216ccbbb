#pragma once

#include <string>
#include <vector>

#include "dates/DateValue.h"

namespace dorvane {

// The calendar grid of the date's month as text, the week starting on Monday as in the main
// window: the header row of short day names, then the six day rows. Each cell is its text
// right-aligned in a field of five columns (wider when a name needs it, to keep a blank
// before it), the current cell written "[text]", a blank cell all blanks. Raises EConvertError for
// a date outside the years 1 to 9999.
std::vector<std::string> MonthText(TDateTime date);

}  // namespace dorvane
