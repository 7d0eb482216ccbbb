#include <chrono>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "FakeHost.h"
#include "FrenchLocale.h"
#include "calendar/CalendarTable.h"
#include "dates/DateLocale.h"
#include "dates/DateValue.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

// Every month from 1900 to 2100 (every length of month starting on every weekday, and the
// century years both ways) under every first weekday, every other one with the week numbers'
// column, against <chrono>: the columns are headed by their weekdays' names; each day
// of the month stands in exactly one cell, the 1st in row 1 and the others after it in the
// columns of their weekdays, and every other day cell is blank; the current cell is the
// selected date's; the table's cells and the grid's map onto each other.
TEST(CalendarTable, EveryDayUnderItsWeekdayAgainstChrono) {
  using namespace std::chrono;
  const DateLocale& names = CurrentDateLocale();
  TCalendar calendar;
  const CalendarTable table(calendar);
  for (unsigned start = 0; start < 7; ++start) {
    calendar.SetStartOfWeek(static_cast<TDayOfWeek>(start));
    calendar.SetShowWeekNumbers(start % 2 == 1);
    for (int column = 0; column < 7; ++column) {
      const std::size_t day = (static_cast<unsigned>(column) + start) % 7;
      ASSERT_EQ(table.HeaderName(column), names.DayNames[day]);
      ASSERT_EQ(calendar.TextOfCell(table.GridColumn(column), 0), names.DayAbbrevs[day]);
    }
    for (int y = 1900; y <= 2100; ++y) {
      for (unsigned m = 1; m <= 12; ++m) {
        const year_month ym{year{y}, month{m}};
        const unsigned length = static_cast<unsigned>((ym / last).day());
        const unsigned selected = 1 + (static_cast<unsigned>(y) * 7 + m) % length;
        calendar.SetSelectedDate(MakeDate(y, m, selected));
        const unsigned first = (weekday{sys_days{ym / 1}} - weekday{start}).count();
        ASSERT_EQ(table.Cells(), 49);
        unsigned days = 0;
        for (int index = 0; index < table.Cells(); ++index) {
          const TableCell cell = *table.CellAt(index);
          ASSERT_EQ(table.IndexOf(cell), index);
          const GridCoord grid = table.GridCellOf(cell);
          ASSERT_EQ(table.CellOf(grid), cell);
          if (table.IsHeader(cell)) continue;
          const std::string text = calendar.TextOfCell(grid.col, grid.row);
          const auto date = table.DateOf(cell);
          if (!date) {
            ASSERT_EQ(text, "") << y << "-" << m;
            continue;
          }
          const DateParts parts = SplitDate(*date);
          const unsigned place = first + parts.day - 1;  // counted from the first day cell
          ASSERT_EQ(parts.year, y);
          ASSERT_EQ(parts.month, m);
          ASSERT_EQ(text, std::to_string(parts.day));
          ASSERT_EQ(cell.column, static_cast<int>(place % 7)) << y << "-" << m << "-" << text;
          ASSERT_EQ(cell.row, static_cast<int>(1 + place / 7)) << y << "-" << m << "-" << text;
          ASSERT_EQ(table.IsCurrent(cell), parts.day == selected);
          ++days;
        }
        ASSERT_EQ(days, length) << y << "-" << m;
      }
    }
  }
}

// What a screen reader says of a cell: the full date in the user's locale, the day's full
// name for a header, nothing for a blank day; the weekday is put in front of a long date that
// does not name it.
TEST(CalendarTable, CellNames) {
  const DateLocale french = testing::FrenchLongDates();
  DateLocale english;  // "mmmm d, yyyy": no weekday
  struct Case {
    const DateLocale* locale;
    TableCell cell;
    std::string name;
  } const cases[] = {
      {&french, {2, 0}, "lundi 7 mars 2005"},  // the current cell
      {&french, {0, 0}, "lundi"},
      {&french, {1, 1}, "mardi 1 mars 2005"},
      {&french, {1, 0}, ""},  // blank: March 2005 starts on a Tuesday
      {&french, {5, 3}, "jeudi 31 mars 2005"},
      {&english, {2, 0}, "Lundi Mars 7, 2005"},
  };
  TCalendar calendar;
  calendar.SetStartOfWeek(1);
  calendar.SetSelectedDate(MakeDate(2005, 3, 7));
  const CalendarTable table(calendar);
  EXPECT_EQ(table.Current(), (TableCell{2, 0}));
  for (const Case& c : cases) {
    const platform::ServicesScope services({.locale = c.locale});
    EXPECT_EQ(table.Name(c.cell), c.name) << c.cell.row << "," << c.cell.column;
  }
  // While holidays are shown, a holiday's name follows its date (Easter Monday, 28 March).
  const platform::ServicesScope services({.locale = &french});
  EXPECT_EQ(table.Name({5, 0}), "lundi 28 mars 2005");
  calendar.SetShowHolidays(true);
  EXPECT_EQ(table.Name({5, 0}), "lundi 28 mars 2005 \u2014 Lundi de Pâques");
  EXPECT_EQ(table.Name({5, 1}), "mardi 29 mars 2005");
}

// What a reader is told of a cell besides its name, where it goes from there, and which cell
// lies under each point of the window.
TEST(CalendarTable, StatesMovesAndPlaces) {
  using State = CalendarTable::State;
  using Step = CalendarTable::Step;
  TCalendar calendar;
  calendar.SetStartOfWeek(1);
  calendar.SetSelectedDate(MakeDate(2005, 3, 7));  // cell {2, 0}; {1, 0} is blank
  calendar.SizeNotice(293, 125);
  const CalendarTable table(calendar);
  EXPECT_EQ(table.StateOf({0, 3}, true), (State{.readOnly = true}));
  EXPECT_EQ(table.StateOf({1, 0}, true), (State{.unavailable = true}));
  EXPECT_EQ(table.StateOf({1, 1}, true), (State{.selectable = true}));
  EXPECT_EQ(table.StateOf({2, 0}, false), (State{.selectable = true, .selected = true}));
  EXPECT_EQ(table.StateOf({2, 0}, true),
            (State{.selectable = true, .selected = true, .focused = true}));

  const struct {
    TableCell from;
    Step step;
    std::optional<TableCell> to;
  } moves[] = {
      {{2, 3}, Step::kUp, TableCell{1, 3}},
      {{2, 3}, Step::kDown, TableCell{3, 3}},
      {{2, 3}, Step::kLeft, TableCell{2, 2}},
      {{2, 3}, Step::kRight, TableCell{2, 4}},
      {{0, 6}, Step::kNext, TableCell{1, 0}},
      {{1, 0}, Step::kPrevious, TableCell{0, 6}},
      {{0, 0}, Step::kUp, {}},
      {{0, 0}, Step::kPrevious, {}},
      {{6, 6}, Step::kRight, {}},
      {{6, 6}, Step::kNext, {}},
  };
  for (const auto& m : moves) {
    EXPECT_EQ(table.Neighbour(m.from, m.step), m.to)
        << m.from.row << "," << m.from.column << " step " << static_cast<int>(m.step);
  }

  for (int index = 0; index < table.Cells(); ++index) {
    const TableCell cell = *table.CellAt(index);
    const Rect r = table.WindowRect(cell);
    EXPECT_EQ(table.CellAtPoint({r.Left, r.Top}), cell);
    EXPECT_EQ(table.CellAtPoint({r.Right - 1, r.Bottom - 1}), cell);
  }
  EXPECT_EQ(table.CellAtPoint({0, 0}), std::nullopt);  // the window's edge
  EXPECT_EQ(table.CellAtPoint({400, 60}), std::nullopt);
}

// The host hears of the current cell once for each move or new date it shows, never for
// what leaves it where it was.
TEST(CalendarTable, OneNoticeForEachNewCurrentDay) {
  struct Case {
    const char* what;
    std::function<void(TCalendar&)> act;
    int notices;
  } const cases[] = {
      {"right arrow", [](TCalendar& c) { c.KeyDown(VK_RIGHT, 0); }, 1},
      {"up onto a blank", [](TCalendar& c) { c.KeyDown(VK_UP, 0); }, 0},
      {"next month, same cell", [](TCalendar& c) { c.MonthForward(); }, 1},
      {"same date again", [](TCalendar& c) { c.SetSelectedDate(MakeDate(2005, 3, 7)); }, 0},
      {"click on another day",
       [](TCalendar& c) {
         c.MouseDown(TMouseButton::mbLeft, 0, 42 * 3 + 20, 18 * 3 + 8, false);
         c.MouseUp(TMouseButton::mbLeft, 0, 42 * 3 + 20, 18 * 3 + 8);
       },
       1},
      {"wheel down", [](TCalendar& c) { c.MouseWheel(-120); }, 1},
      {"week start changed", [](TCalendar& c) { c.SetStartOfWeek(0); }, 1},
  };
  for (const Case& c : cases) {
    testing::FakeHost host;
    host.active = true;
    TCalendar calendar;
    calendar.SetStartOfWeek(1);
    calendar.SetSelectedDate(MakeDate(2005, 3, 7));
    calendar.SizeNotice(293, 125);
    calendar.SetHost(&host);
    c.act(calendar);
    EXPECT_EQ(host.cellNotices, c.notices) << c.what;
  }
}

}  // namespace
}  // namespace dorvane
