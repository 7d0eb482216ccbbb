#include "dates/Captions.h"

#include "dates/Formatting.h"
#include "dates/Numbers.h"
#include "text/Utf8.h"

namespace dorvane {

std::string MonthBannerText(TDateTime x) {
  return AsciiUpper(FormatDateValue("mmmm yyyy", x));
}

std::string WeekdayLineText(TDateTime x) {
  std::string date = FormatDateValue("dddddd", x);
  // A date written right to left is isolated (U+2068 ... U+2069), so that it does not turn
  // the line around and carry " - 2" to its other end.
  if (HasRightToLeftLetter(date)) date = "\u2068" + date + "\u2069";
  return date + " - " + WholeNumberText(WeekdayNumber(x)) + " ème jour de la semaine.";
}

std::string DayOfYearText(TDateTime x) {
  const TDateTime newYear = MakeDate(SplitDate(x).year, 1, 1);
  return NumberText(x - newYear + 1) + " ème jour";
}

}  // namespace dorvane
