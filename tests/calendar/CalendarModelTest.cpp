#include <chrono>
#include <cmath>
#include <functional>
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

TEST_F(CalendarModel, ConstructionShowsToday) {
  TCalendar cal;
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2008, 5, 15));
  EXPECT_EQ(cal.TextOfCell(cal.Col(), cal.Row()), "15");
  EXPECT_EQ(cal.TextOfCell(-1, 0), "");
  EXPECT_EQ(cal.TextOfCell(7, 3), "");
  EXPECT_EQ(cal.GetDatePart(0), -1);
  EXPECT_EQ(cal.GetDatePart(4), -1);
}

// Every month of a 400-year cycle under every first weekday, against std::chrono's weekday:
// each day stands in the column of its weekday, the 1st in row 1, and every other cell is blank;
// the selected day is the current cell.
TEST_F(CalendarModel, DayCellMappingAgreesWithStdChronoOverA400YearCycle) {
  TCalendar cal;
  int firstInLastColumn = 0;
  int fourRowFebruaries = 0;
  for (int sow = 0; sow < 7; ++sow) {
    cal.SetStartOfWeek(static_cast<TDayOfWeek>(sow));
    for (int y = 2001; y <= 2400; ++y) {
      for (unsigned m = 1; m <= 12; ++m) {
        const chr::year_month ym{chr::year{y}, chr::month{m}};
        const unsigned length = static_cast<unsigned>((ym / chr::last).day());
        const unsigned firstCol =
            (chr::weekday{chr::sys_days{ym / 1}}.c_encoding() + 7 - static_cast<unsigned>(sow)) % 7;
        cal.SetSelectedDate(
            MakeDate(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m), 1));
        ASSERT_EQ(cal.ShownMonthLength(), static_cast<int>(length));
        ASSERT_GE(cal.DayOffset(), -5);
        ASSERT_LE(cal.DayOffset(), 1);
        int dayCells = 0;
        int lastRow = 0;
        for (int row = 1; row <= 6; ++row) {
          for (int col = 0; col < 7; ++col) {
            const std::string text = cal.TextOfCell(col, row);
            if (text.empty()) continue;
            ++dayCells;
            lastRow = row;
            const unsigned d = static_cast<unsigned>(std::stoi(text));
            const chr::sys_days day{ym / chr::day{d}};
            const unsigned col1 =
                (chr::weekday{day}.c_encoding() + 7 - static_cast<unsigned>(sow)) % 7;
            ASSERT_EQ(col, static_cast<int>(col1)) << y << "-" << m << "-" << d << " sow " << sow;
            ASSERT_EQ(row, static_cast<int>(1 + (d - 1 + firstCol) / 7))
                << y << "-" << m << "-" << d;
            // Selected, the day is the current cell.
            cal.SetSelectedDate(MakeDate(static_cast<std::uint16_t>(y),
                                         static_cast<std::uint16_t>(m),
                                         static_cast<std::uint16_t>(d)));
            ASSERT_EQ(cal.CurrentCell(), (GridCoord{col, row})) << y << "-" << m << "-" << d;
          }
        }
        ASSERT_EQ(dayCells, static_cast<int>(length)) << y << "-" << m;
        if (firstCol == 6) ++firstInLastColumn;
        if (m == 2 && lastRow == 4) ++fourRowFebruaries;
      }
    }
  }
  EXPECT_GT(firstInLastColumn, 0);
  EXPECT_GT(fourRowFebruaries, 0);
}

TEST_F(CalendarModel, StartOfWeekMovesTheCellNotTheDate) {
  TCalendar cal;
  Watch(cal);
  cal.SetStartOfWeek(1);
  EXPECT_EQ(cal.SelectedDate(), MakeDate(2008, 5, 15));
  EXPECT_EQ(cal.Col(), 3);  // Thursday
  const char* const header[] = {"Lun", "Mar", "Mer", "Jeu", "Ven", "Sam", "Dim"};
  for (int c = 0; c < 7; ++c) EXPECT_EQ(cal.TextOfCell(c, 0), header[c]);
  cal.SetStartOfWeek(4);
  EXPECT_EQ(cal.Col(), 0);
  EXPECT_EQ(cal.TextOfCell(0, 0), "Jeu");
  cal.SetStartOfWeek(9);  // not a weekday: ignored
  EXPECT_EQ(cal.StartOfWeek(), 4);
  EXPECT_TRUE(seen_.empty());
}

struct StepCase {
  const char* name;
  DateParts start;
  std::function<void(TCalendar&)> op;
  std::vector<DateParts> notices;  // the date seen by each notice, in order; the last one stays
  bool fails = false;              // with the date-encoding error, changing nothing
};

class CalendarSteps : public CalendarModel, public ::testing::WithParamInterface<StepCase> {};

TEST_P(CalendarSteps, NotifyAsTabledOrFailChangingNothing) {
  const StepCase& tc = GetParam();
  TCalendar cal;
  cal.SetStartOfWeek(1);
  // 06:00 of the start day: before 30 December 1899 the time of day counts away from zero.
  const TDateTime start = MakeDate(tc.start.year, tc.start.month, tc.start.day);
  cal.SetSelectedDate(start + std::copysign(0.25, start));
  Watch(cal);
  const TDateTime before = cal.SelectedDate();
  const GridCoord cell = cal.CurrentCell();
  const int offset = cal.DayOffset();
  try {
    tc.op(cal);
    EXPECT_FALSE(tc.fails) << "no error";
  } catch (const EConvertError& e) {
    EXPECT_TRUE(tc.fails) << e.what();
    EXPECT_STREQ(e.what(), "Argument incorrect pour l'encodage de date");
    EXPECT_EQ(cal.SelectedDate(), before);
    EXPECT_EQ(cal.CurrentCell(), cell);
    EXPECT_EQ(cal.DayOffset(), offset);
    EXPECT_TRUE(cal.UseCurrentDate());
  }
  ASSERT_EQ(seen_.size(), tc.notices.size());
  for (std::size_t i = 0; i < seen_.size(); ++i) EXPECT_EQ(SplitDate(seen_[i]), tc.notices[i]) << i;
  const DateParts end = tc.notices.empty() ? tc.start : tc.notices.back();
  EXPECT_EQ(SplitDate(cal.SelectedDate()), end);
  EXPECT_EQ(cal.TextOfCell(cal.Col(), cal.Row()), std::to_string(end.day));
}

using C = TCalendar;
constexpr DateParts k15May{2008, 5, 15};
constexpr auto kMonthBack = [](C& c) { c.MonthBack(); };
constexpr auto kMonthForward = [](C& c) { c.MonthForward(); };
constexpr auto kYearBack = [](C& c) { c.YearBack(); };
constexpr auto kYearForward = [](C& c) { c.YearForward(); };
constexpr auto kSetDate = [](TDateTime d) { return [d](C& c) { c.SetSelectedDate(d); }; };
INSTANTIATE_TEST_SUITE_P(
    Table, CalendarSteps,
    ::testing::Values(
        StepCase{
            "SameDateWritten", k15May, [](C& c) { c.SetSelectedDate(c.SelectedDate()); }, {k15May}},
        StepCase{"MarchBackLeap", {2008, 3, 31}, kMonthBack, {{2008, 2, 29}}},
        StepCase{"MarchBackCommon", {2007, 3, 31}, kMonthBack, {{2007, 2, 28}}},
        StepCase{"JanuaryForward", {2008, 1, 31}, kMonthForward, {{2008, 2, 29}}},
        StepCase{"OctoberForward", {2008, 10, 31}, kMonthForward, {{2008, 11, 30}}},
        StepCase{"AcrossYearEndForward", {2005, 12, 31}, kMonthForward, {{2006, 1, 31}}},
        StepCase{"AcrossYearEndBack", {2006, 1, 1}, kMonthBack, {{2005, 12, 1}}},
        StepCase{"MidMonthBack", k15May, kMonthBack, {{2008, 4, 15}}},
        StepCase{
            "YearForwardFrom29Feb", {2008, 2, 29}, kYearForward, {{2008, 2, 28}, {2009, 2, 28}}},
        StepCase{"YearBackFrom29Feb", {2008, 2, 29}, kYearBack, {{2008, 2, 28}, {2007, 2, 28}}},
        StepCase{"YearForward", k15May, kYearForward, {{2009, 5, 15}}},
        StepCase{"YearForwardTo29Feb", {2007, 2, 28}, kYearForward, {{2008, 2, 28}}},
        StepCase{"YearBackFromYear1", {1, 6, 1}, kYearBack, {}},
        StepCase{"DayChanged", k15May, [](C& c) { c.SetDay(20); }, {{2008, 5, 20}}},
        StepCase{"DayEqual", k15May, [](C& c) { c.SetDay(15); }, {}},
        StepCase{"DayBeyondMonth", {2008, 4, 15}, [](C& c) { c.SetDay(31); }, {}},
        StepCase{"DayZero", k15May, [](C& c) { c.SetDay(0); }, {}},
        StepCase{"MonthThirteen", k15May, [](C& c) { c.SetMonth(13); }, {}},
        StepCase{"MonthChanged", k15May, [](C& c) { c.SetMonth(12); }, {{2008, 12, 15}}},
        StepCase{"YearEqual", k15May, [](C& c) { c.SetYear(2008); }, {}},
        StepCase{"YearChanged", k15May, [](C& c) { c.SetYear(1); }, {{1, 5, 15}}},
        StepCase{"OtherIndex", k15May, [](C& c) { c.SetDatePart(4, 3); }, {}},
        StepCase{"NegativeValue", k15May, [](C& c) { c.SetDatePart(1, -2008); }, {}},
        StepCase{"StartOfWeek", k15May, [](C& c) { c.SetStartOfWeek(3); }, {}},
        StepCase{"ReadOnly", k15May, [](C& c) { c.SetReadOnly(true); }, {}},
        StepCase{"UseCurrentDateFalse", k15May, [](C& c) { c.SetUseCurrentDate(false); }, {}},
        StepCase{"ReadOnlyStillStepsByProgram",
                 k15May,
                 [](C& c) {
                   c.SetReadOnly(true);
                   c.MonthForward();
                   c.SetDay(3);
                 },
                 {{2008, 6, 15}, {2008, 6, 3}}},
        StepCase{"MonthWithoutTheDay", {2008, 1, 31}, [](C& c) { c.SetMonth(2); }, {}, true},
        StepCase{"YearWithout29Feb", {2008, 2, 29}, [](C& c) { c.SetYear(2009); }, {}, true},
        StepCase{"YearAbove9999", k15May, [](C& c) { c.SetYear(10000); }, {}, true},
        StepCase{"YearThatWouldWrap", k15May, [](C& c) { c.SetYear(65536 + 2009); }, {}, true},
        StepCase{"YearForwardFrom9999", {9999, 5, 15}, kYearForward, {}, true},
        StepCase{"MonthForwardFromDecember9999", {9999, 12, 31}, kMonthForward, {}, true},
        StepCase{"MonthBackFromJanuary1", {1, 1, 1}, kMonthBack, {}, true},
        StepCase{"DateAfter9999", {9999, 12, 31}, kSetDate(kMaxDate + 1), {}, true},
        StepCase{"DateBefore1", {1, 1, 1}, kSetDate(kMinDate - 1), {}, true},
        StepCase{"DateFarOut", k15May, kSetDate(1e300), {}, true},
        StepCase{"DateNaN", k15May, kSetDate(std::nan("")), {}, true},
        StepCase{"DateInfinite", k15May, kSetDate(-HUGE_VAL), {}, true}),
    [](const ::testing::TestParamInfo<StepCase>& p) { return p.param.name; });

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

}  // namespace
}  // namespace dorvane
