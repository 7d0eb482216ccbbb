#include "calendar/MonthText.h"

#include "calendar/Calendar.h"

namespace dorvane {

namespace {

constexpr int kFieldWidth = 5;

int CodePoints(const std::string& s) {
  int n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

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
      const int pad = kFieldWidth - CodePoints(text);
      if (pad > 0) line.append(static_cast<std::size_t>(pad), ' ');
      line += text;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace dorvane
