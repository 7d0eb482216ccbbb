#include <chrono>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/Calendar.h"
#include "dates/ConvertError.h"
#include "dates/DateValue.h"
#include "platform/Clock.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

namespace chr = std::chrono;

class CalendarModel : public ::testing::Test {
 protected:
  // Counts notices and checks, inside each one, that the grid already shows the new date.
  void Watch(TCalendar& cal) {
    cal.OnChange = [this](TCalendar& sender) {
      seen_.push_back(sender.SelectedDate());
      EXPECT_EQ(sender.TextOfCell(sender.Col(), sender.Row()), std::to_string(sender.Day()));
    };
  }

  platform::FixedClock clock_{platform::LocalTime{2008, 5, 15, 10, 30, 0, 0}};
  platform::ServicesScope services_{{.clock = &clock_}};
  std::vector<TDateTime> seen_;
};

TEST_F(CalendarModel, ConstructionShowsTodayWithoutNotice) {
  TCalendar cal;
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2008, 5, 15));
  EXPECT_TRUE(cal.UseCurrentDate());
  EXPECT_EQ(cal.TextOfCell(cal.Col(), cal.Row()), "15");
  EXPECT_EQ(cal.TextOfCell(-1, 0), "");
  EXPECT_EQ(cal.TextOfCell(7, 3), "");
  EXPECT_EQ(cal.GetDatePart(0), -1);
  EXPECT_EQ(cal.GetDatePart(4), -1);
}

// The grid's cells, day by day against std::chrono, are the calendar table's test.

TEST_F(CalendarModel, StartOfWeekMovesTheCellNotTheDate) {
  TCalendar cal;
  Watch(cal);
  cal.SetStartOfWeek(1);
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2008, 5, 15));
  EXPECT_EQ(cal.Col(), 3);  // Thursday
  cal.SetStartOfWeek(4);
  EXPECT_EQ(cal.Col(), 0);
  EXPECT_EQ(cal.TextOfCell(0, 0), "Jeu");
  cal.SetStartOfWeek(9);  // not a weekday: ignored
  EXPECT_EQ(cal.StartOfWeek(), 4);
  EXPECT_TRUE(seen_.empty());
}

// Each operation, from a start date: the date seen by each change notice, in order. The grid
// ends on the last date noticed, or on the start when there is none.
TEST_F(CalendarModel, NoticesFireOncePerChangedDate) {
  using C = TCalendar;
  const struct {
    const char* name;
    DateParts start;
    std::function<void(TCalendar&)> op;
    std::vector<DateParts> notices;
  } cases[] = {
      {"SameDateWritten",
       {2008, 5, 15},
       [](C& c) { c.SetSelectedDate(c.SelectedDate()); },
       {{2008, 5, 15}}},
      {"MarchBackLeap", {2008, 3, 31}, [](C& c) { c.MonthBack(); }, {{2008, 2, 29}}},
      {"MarchBackCommon", {2007, 3, 31}, [](C& c) { c.MonthBack(); }, {{2007, 2, 28}}},
      {"JanuaryForward", {2008, 1, 31}, [](C& c) { c.MonthForward(); }, {{2008, 2, 29}}},
      {"AcrossYearEndForward", {2005, 12, 31}, [](C& c) { c.MonthForward(); }, {{2006, 1, 31}}},
      {"AcrossYearEndBack", {2006, 1, 1}, [](C& c) { c.MonthBack(); }, {{2005, 12, 1}}},
      {"YearForwardFrom29Feb",
       {2008, 2, 29},
       [](C& c) { c.YearForward(); },
       {{2008, 2, 28}, {2009, 2, 28}}},
      {"YearBackFrom29Feb",
       {2008, 2, 29},
       [](C& c) { c.YearBack(); },
       {{2008, 2, 28}, {2007, 2, 28}}},
      {"YearForwardTo29Feb", {2007, 2, 28}, [](C& c) { c.YearForward(); }, {{2008, 2, 28}}},
      {"YearBackFromYear1", {1, 6, 1}, [](C& c) { c.YearBack(); }, {}},
      {"DayChanged", {2008, 5, 15}, [](C& c) { c.SetDay(20); }, {{2008, 5, 20}}},
      {"DayEqual", {2008, 5, 15}, [](C& c) { c.SetDay(15); }, {}},
      {"DayBeyondMonth", {2008, 4, 15}, [](C& c) { c.SetDay(31); }, {}},
      {"DayZero", {2008, 5, 15}, [](C& c) { c.SetDay(0); }, {}},
      {"MonthThirteen", {2008, 5, 15}, [](C& c) { c.SetMonth(13); }, {}},
      {"MonthChanged", {2008, 5, 15}, [](C& c) { c.SetMonth(12); }, {{2008, 12, 15}}},
      {"YearEqual", {2008, 5, 15}, [](C& c) { c.SetYear(2008); }, {}},
      {"YearChanged", {2008, 5, 15}, [](C& c) { c.SetYear(1); }, {{1, 5, 15}}},
      {"OtherIndex", {2008, 5, 15}, [](C& c) { c.SetDatePart(4, 3); }, {}},
      {"NegativeValue", {2008, 5, 15}, [](C& c) { c.SetDatePart(1, -2008); }, {}},
      {"ReadOnly", {2008, 5, 15}, [](C& c) { c.SetReadOnly(true); }, {}},
      {"UseCurrentDateFalse", {2008, 5, 15}, [](C& c) { c.SetUseCurrentDate(false); }, {}},
      {"ReadOnlyStillStepsByProgram",
       {2008, 5, 15},
       [](C& c) {
         c.SetReadOnly(true);
         c.MonthForward();
         c.SetDay(3);
       },
       {{2008, 6, 15}, {2008, 6, 3}}},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.name);
    TCalendar cal;
    cal.SetSelectedDate(MakeDate(tc.start.year, tc.start.month, tc.start.day));
    seen_.clear();
    Watch(cal);
    tc.op(cal);
    ASSERT_EQ(seen_.size(), tc.notices.size());
    for (std::size_t i = 0; i < seen_.size(); ++i) EXPECT_EQ(SplitDate(seen_[i]), tc.notices[i]);
    const DateParts end = tc.notices.empty() ? tc.start : tc.notices.back();
    EXPECT_EQ(SplitDate(cal.SelectedDate()), end);
    EXPECT_EQ(cal.TextOfCell(cal.Col(), cal.Row()), std::to_string(end.day));
  }
}

// Each operation raises the date-encoding error and leaves date, grid and flag as they were.
TEST_F(CalendarModel, FailuresChangeNothing) {
  using C = TCalendar;
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const struct {
    const char* name;
    DateParts start;
    std::function<void(TCalendar&)> op;
  } cases[] = {
      {"MonthWithoutTheDay", {2008, 1, 31}, [](C& c) { c.SetMonth(2); }},
      {"YearWithout29Feb", {2008, 2, 29}, [](C& c) { c.SetYear(2009); }},
      {"YearAbove9999", {2008, 5, 15}, [](C& c) { c.SetYear(10000); }},
      {"YearThatWouldWrap", {2008, 5, 15}, [](C& c) { c.SetYear(65536 + 2008 + 1); }},
      {"YearForwardFrom9999", {9999, 5, 15}, [](C& c) { c.YearForward(); }},
      {"MonthForwardFromDecember9999", {9999, 12, 31}, [](C& c) { c.MonthForward(); }},
      {"MonthBackFromJanuary1", {1, 1, 1}, [](C& c) { c.MonthBack(); }},
      {"DateAfter9999", {9999, 12, 31}, [](C& c) { c.SetSelectedDate(kMaxDate + 1); }},
      {"DateBefore1", {1, 1, 1}, [](C& c) { c.SetSelectedDate(kMinDate - 1); }},
      {"DateFarOut", {2008, 5, 15}, [](C& c) { c.SetSelectedDate(1e300); }},
      {"DateNaN", {2008, 5, 15}, [](C& c) { c.SetSelectedDate(kNaN); }},
      {"DateInfinite", {2008, 5, 15}, [](C& c) { c.SetSelectedDate(-kInfinity); }},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.name);
    TCalendar cal;
    cal.SetStartOfWeek(1);
    cal.SetSelectedDate(MakeDate(tc.start.year, tc.start.month, tc.start.day) + 0.25);
    seen_.clear();
    Watch(cal);
    const TDateTime before = cal.SelectedDate();
    const GridCoord cell = cal.CurrentCell();
    const int offset = cal.DayOffset();
    try {
      tc.op(cal);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "Argument incorrect pour l'encodage de date");
    }
    EXPECT_EQ(cal.SelectedDate(), before);
    EXPECT_EQ(cal.CurrentCell(), cell);
    EXPECT_EQ(cal.DayOffset(), offset);
    EXPECT_TRUE(cal.UseCurrentDate());
    EXPECT_TRUE(seen_.empty());
  }
}

TEST_F(CalendarModel, EdgesOfTheRangeAreAccepted) {
  TCalendar cal;
  cal.SetSelectedDate(kMaxDate + 0.999);
  EXPECT_EQ(SplitDate(cal.SelectedDate()), (DateParts{9999, 12, 31}));
  cal.SetSelectedDate(kMinDate - 0.5);  // noon of 1 January 0001
  EXPECT_EQ(SplitDate(cal.SelectedDate()), (DateParts{1, 1, 1}));
  EXPECT_EQ(cal.TextOfCell(cal.Col(), cal.Row()), "1");
}

TEST_F(CalendarModel, TimeOfDayStaysUntilThePartsAreReEncoded) {
  TCalendar cal;
  cal.SetSelectedDate(MakeDate(2008, 5, 15) + 0.5);
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2008, 5, 15) + 0.5);
  cal.SetDay(16);
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2008, 5, 16));
  cal.SetSelectedDate(MakeDate(2008, 5, 15) + 0.5);
  cal.MonthForward();
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2008, 6, 15));
}

TEST_F(CalendarModel, UseCurrentDateTransitions) {
  TCalendar cal;
  Watch(cal);
  // Month steps and written dates keep following today's flag...
  cal.MonthForward();
  cal.SetSelectedDate(MakeDate(2010, 1, 1));
  EXPECT_TRUE(cal.UseCurrentDate());
  // ...so writing true again does not return to today.
  cal.SetUseCurrentDate(true);
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2010, 1, 1));

  cal.YearForward();
  EXPECT_FALSE(cal.UseCurrentDate());
  const std::size_t notices = seen_.size();
  cal.SetUseCurrentDate(true);
  EXPECT_TRUE(cal.UseCurrentDate());
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2008, 5, 15));
  EXPECT_EQ(cal.TextOfCell(cal.Col(), cal.Row()), "15");
  EXPECT_EQ(seen_.size(), notices);

  for (auto change : std::vector<std::function<void()>>{
           [&] { cal.SetDay(1); }, [&] { cal.SetMonth(1); }, [&] { cal.SetYear(2000); },
           [&] { cal.YearBack(); }, [&] { cal.SetUseCurrentDate(false); }}) {
    cal.SetUseCurrentDate(true);
    change();
    EXPECT_FALSE(cal.UseCurrentDate());
  }
  // Writing false keeps the date.
  cal.SetUseCurrentDate(true);
  cal.SetDay(3);
  const TDateTime date = cal.SelectedDate();
  cal.SetUseCurrentDate(false);
  EXPECT_EQ(cal.SelectedDate(), date);
}

TEST_F(CalendarModel, MonthLengthAndLeapYears) {
  TCalendar cal;
  for (int y = 1; y <= 2400; ++y) {
    const bool leap = chr::year{y}.is_leap();
    ASSERT_EQ(cal.YearIsLeap(y), leap) << y;
    for (unsigned m = 1; m <= 12; ++m) {
      ASSERT_EQ(cal.MonthLength(y, static_cast<int>(m)),
                static_cast<int>(
                    static_cast<unsigned>((chr::year{y} / chr::month{m} / chr::last).day())));
    }
  }
  EXPECT_EQ(cal.MonthLength(2008, 0), 0);
  EXPECT_EQ(cal.MonthLength(2008, 13), 0);
}

}  // namespace
}  // namespace dorvane
