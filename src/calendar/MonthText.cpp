#include "calendar/MonthText.h"

#include "calendar/Calendar.h"
#include "dates/Weeks.h"
#include "text/Utf8.h"

#include <algorithm>

namespace dorvane {

namespace {

constexpr std::size_t kFieldWidth = 5;
constexpr std::size_t kWeekFieldWidth = 4;

// The week field of a row: the header's title, or the week number of the row's days (a row is
// one week from Monday to Sunday), or blanks on a row without days.
std::string WeekField(const TCalendar& calendar, int row) {
  if (row == 0) return "Sem.";
  const int first = calendar.DayOffset() + 7 * (row - 1);
  const int length = calendar.ShownMonthLength();
  if (first + 6 < 1 || first > length) return std::string(kWeekFieldWidth, ' ');
  const int day = std::clamp(first, 1, length);
  const IsoWeekNumber week = IsoWeekOf(MakeDate(static_cast<std::uint16_t>(calendar.Year()),
                                                static_cast<std::uint16_t>(calendar.Month()),
                                                static_cast<std::uint16_t>(day)));
  const std::string number = std::to_string(week.Week);
  return std::string(kWeekFieldWidth - number.size(), ' ') + number;
}

}  // namespace

std::vector<std::string> MonthText(TDateTime date, bool weekNumbers) {
  TCalendar calendar;
  calendar.SetStartOfWeek(1);
  calendar.SetSelectedDate(date);
  std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(calendar.RowCount()));
  // Fields of five columns, wider when a day name needs it, so that a blank always parts two
  // names; widths count terminal columns (two for a wide character).
  std::size_t field = kFieldWidth;
  for (int row = 0; row < calendar.RowCount(); ++row) {
    for (int col = 0; col < calendar.ColCount(); ++col) {
      std::string text = calendar.TextOfCell(col, row);
      if (col == calendar.Col() && row == calendar.Row()) text = "[" + text + "]";
      field = std::max(field, DisplayWidth(text) + 1);
      cells[static_cast<std::size_t>(row)].push_back(std::move(text));
    }
  }
  std::vector<std::string> lines;
  for (std::size_t row = 0; row < cells.size(); ++row) {
    std::string line = weekNumbers ? WeekField(calendar, static_cast<int>(row)) : std::string();
    for (const std::string& text : cells[row])
      line += std::string(field - DisplayWidth(text), ' ') + text;
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace dorvane
