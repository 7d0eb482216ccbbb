#include "calendar/MonthText.h"

#include "calendar/Calendar.h"
#include "text/Utf8.h"

namespace dorvane {

namespace {

constexpr int kFieldWidth = 5;

}  // namespace

std::vector<std::string> MonthText(TDateTime date) {
  TCalendar calendar;
  calendar.SetStartOfWeek(1);
  calendar.SetSelectedDate(date);
  std::vector<std::string> lines;
  for (int row = 0; row < calendar.RowCount(); ++row) {
    std::string line;
    for (int col = 0; col < calendar.ColCount(); ++col) {
      std::string text = calendar.TextOfCell(col, row);
      if (col == calendar.Col() && row == calendar.Row()) text = "[" + text + "]";
      const int pad = kFieldWidth - static_cast<int>(CodePointCount(text));
      if (pad > 0) line.append(static_cast<std::size_t>(pad), ' ');
      line += text;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace dorvane
