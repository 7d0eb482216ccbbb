#include "calendar/MonthText.h"

#include "calendar/Calendar.h"
#include "text/Utf8.h"

#include <algorithm>

namespace dorvane {

namespace {

constexpr std::size_t kFieldWidth = 5;

}  // namespace

std::vector<std::string> MonthText(TDateTime date) {
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
  for (const std::vector<std::string>& row : cells) {
    std::string line;
    for (const std::string& text : row) line += std::string(field - DisplayWidth(text), ' ') + text;
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace dorvane
