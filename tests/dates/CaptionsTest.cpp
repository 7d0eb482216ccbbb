#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "FrenchLocale.h"
#include "dates/Captions.h"
#include "dates/ConvertError.h"
#include "dates/DateLocale.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

TEST(Captions, MonthBannerRaisesOnlyAsciiLetters) {
  EXPECT_EQ(MonthBannerText(MakeDate(2005, 8, 1)), "AOûT 2005");
  EXPECT_EQ(MonthBannerText(MakeDate(5, 3, 1)), "MARS 0005");
}

TEST(Captions, WeekdayLineCountsFromSunday) {
  EXPECT_EQ(WeekdayLineText(MakeDate(2005, 3, 7)), "Mars 7, 2005 - 2 ème jour de la semaine.");
  EXPECT_EQ(WeekdayLineText(MakeDate(2005, 3, 5)), "Mars 5, 2005 - 7 ème jour de la semaine.");
  EXPECT_EQ(WeekdayLineText(MakeDate(2005, 3, 6)), "Mars 6, 2005 - 1 ème jour de la semaine.");
  // The time of day changes nothing.
  EXPECT_EQ(WeekdayLineText(MakeDate(2005, 3, 6) + 0.99),
            "Mars 6, 2005 - 1 ème jour de la semaine.");
}

TEST(Captions, LocaleNamesKeepTheirCaseExceptInTheBanner) {
  const DateLocale locale = testing::FrenchLongDates();
  const platform::ServicesScope services({.locale = &locale});
  EXPECT_EQ(WeekdayLineText(MakeDate(2005, 3, 7)), "lundi 7 mars 2005 - 2 ème jour de la semaine.");
  EXPECT_EQ(MonthBannerText(MakeDate(2005, 2, 7)), "FéVRIER 2005");
}

TEST(Captions, DayOfYearAgreesWithStdChronoOnEveryDayOfSomeYears) {
  using namespace std::chrono;
  const int shift = static_cast<int>(sys_days{year{1899} / 12 / 30}.time_since_epoch().count());
  for (const int y : {1, 4, 100, 400, 1900, 2000, 2004, 2005, 9996, 9999}) {
    const sys_days first{year{y} / 1 / 1};
    const sys_days end{year{y + 1} / 1 / 1};
    for (sys_days d = first; d < end; d += days{1}) {
      const double x = d.time_since_epoch().count() - shift;
      ASSERT_EQ(DayOfYearText(x), std::to_string((d - first).count() + 1) + " ème jour") << x;
    }
  }
}

TEST(Captions, DayOfYearFailsOnlyBeforeTheFirstYear) {
  EXPECT_THROW(DayOfYearText(-693594.0), EConvertError);
}

}  // namespace
}  // namespace dorvane
