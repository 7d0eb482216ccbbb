#include "calendar/CalendarTable.h"

#include "dates/DateLocale.h"

namespace dorvane {

int CalendarTable::Columns() const {
  return TCalendar::kColumns;
}

std::optional<int> CalendarTable::TableColumn(int gridColumn) const {
  const int column = calendar_.DayColumn(gridColumn);
  if (column < 0) return {};
  return column;
}

std::optional<TableCell> CalendarTable::CellAt(int index) const {
  if (index < 0 || index >= Cells()) return {};
  return TableCell{index / Columns(), index % Columns()};
}

std::optional<int> CalendarTable::IndexOf(TableCell cell) const {
  if (cell.row < 0 || cell.row >= Rows() || cell.column < 0 || cell.column >= Columns()) return {};
  return cell.row * Columns() + cell.column;
}

std::optional<TableCell> CalendarTable::CellOf(GridCoord grid) const {
  const std::optional<int> column = TableColumn(grid.col);
  if (!column || grid.row < 0 || grid.row >= Rows()) return {};
  return TableCell{grid.row, *column};
}

bool CalendarTable::IsBlank(TableCell cell) const {
  return !IsHeader(cell) && !DateOf(cell);
}

std::optional<TDateTime> CalendarTable::DateOf(TableCell cell) const {
  const GridCoord grid = GridCellOf(cell);
  return calendar_.DateOfCell(grid.col, grid.row);
}

TableCell CalendarTable::Current() const {
  return CellOf(calendar_.CurrentCell()).value_or(TableCell{HeaderRows(), 0});
}

std::string CalendarTable::HeaderName(int column) const {
  const int weekday = calendar_.WeekdayOfColumn(GridColumn(column));
  return CurrentDateLocale().DayNames[static_cast<std::size_t>(weekday)];
}

std::string CalendarTable::Name(TableCell cell) const {
  if (!IndexOf(cell)) return {};
  if (IsHeader(cell)) return HeaderName(cell.column);
  const std::optional<TDateTime> date = DateOf(cell);
  return date ? calendar_.SpokenDay(*date) : std::string();
}

}  // namespace dorvane
