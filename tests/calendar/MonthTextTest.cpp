#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/MonthText.h"
#include "dates/ConvertError.h"
#include "dates/DateLocale.h"
#include "dates/DateValue.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

TEST(MonthText, PrintsTheMondayFirstGrid) {
  EXPECT_EQ(MonthText(MakeDate(2008, 5, 15)), (std::vector<std::string>{
                                                  "  Lun  Mar  Mer  Jeu  Ven  Sam  Dim",
                                                  "                   1    2    3    4",
                                                  "    5    6    7    8    9   10   11",
                                                  "   12   13   14 [15]   16   17   18",
                                                  "   19   20   21   22   23   24   25",
                                                  "   26   27   28   29   30   31     ",
                                                  "                                   ",
                                              }));
}

TEST(MonthText, FirstInTheLastColumnAndASingleDigitCurrentDay) {
  const std::vector<std::string> lines = MonthText(MakeDate(2008, 6, 1));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1], std::string(30, ' ') + "  [1]");
  EXPECT_EQ(lines[6], "   30                              ");
}

TEST(MonthText, CountsCharactersNotBytes) {
  DateLocale locale;
  locale.DayAbbrevs = {"di", "lu", "ma", "mé", "je", "ve", "sâ"};
  const platform::ServicesScope services({.locale = &locale});
  const std::vector<std::string> lines = MonthText(MakeDate(2008, 5, 15));
  EXPECT_EQ(lines[0], "   lu   ma   mé   je   ve   sâ   di");
}

TEST(MonthText, RefusesDatesOutsideTheRange) {
  EXPECT_THROW(MonthText(kMaxDate + 1), EConvertError);
  EXPECT_EQ(MonthText(kMaxDate)[5], "   27   28   29   30 [31]          ");  // a Friday
}

}  // namespace
}  // namespace dorvane
