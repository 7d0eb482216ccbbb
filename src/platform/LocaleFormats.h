#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dorvane::platform {

// A Qt date format ("dddd d MMMM yyyy") in this program's pattern language ("dddd d mmmm
// yyyy"). Literal text, quoted or not, comes out quoted where our language would read it.
std::string PatternFromQtDateFormat(std::string_view qtFormat);

// The first separator of a Qt format: a character that is neither a blank, a digit, an ASCII
// letter nor beyond ASCII; empty when there is none.
std::string FirstSeparator(std::string_view qtFormat);

// What a Qt time format ("HH:mm:ss", "h:mm AP") says about the hours.
struct QtHourFormat {
  bool hasHour = false;  // the other fields say nothing without an hour token
  bool leadingZero = false;
  bool twelveHour = false;
  bool markerFirst = false;
  std::string separator;  // the first separator of the format, or empty
};
QtHourFormat ReadQtTimeFormat(std::string_view qtFormat);

}  // namespace dorvane::platform
