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

// The whole grid is the --month option's test; here its edges.
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
