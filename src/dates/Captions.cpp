#include "dates/Captions.h"

#include "dates/Formatting.h"
#include "dates/Numbers.h"

namespace dorvane {

std::string MonthBannerText(TDateTime x) {
  return AsciiUpper(FormatDateValue("mmmm yyyy", x));
}

std::string WeekdayLineText(TDateTime x) {
  return FormatDateValue("dddddd", x) + " - " + WholeNumberText(WeekdayNumber(x)) +
         " ème jour de la semaine.";
}

std::string DayOfYearText(TDateTime x) {
  const TDateTime newYear = MakeDate(SplitDate(x).year, 1, 1);
  return NumberText(x - newYear + 1) + " ème jour";
}

}  // namespace dorvane
