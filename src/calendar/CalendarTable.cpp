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

CalendarTable::State CalendarTable::StateOf(TableCell cell, bool gridFocused) const {
  if (IsHeader(cell)) return {.readOnly = true};
  if (IsBlank(cell)) return {.unavailable = true};
  const bool current = IsCurrent(cell);
  return {.selectable = true, .selected = current, .focused = current && gridFocused};
}

Rect CalendarTable::WindowRect(TableCell cell) const {
  const GridCoord grid = GridCellOf(cell);
  return calendar_.WindowCellRect(grid.col, grid.row);
}

std::optional<TableCell> CalendarTable::CellAtPoint(Point window) const {
  const int b = calendar_.BorderWidth();
  return CellOf(calendar_.MouseCoord(window.x - b, window.y - b));
}

std::optional<TableCell> CalendarTable::Neighbour(TableCell cell, Step step) const {
  const std::optional<int> index = IndexOf(cell);
  if (!index) return {};
  if (step == Step::kPrevious) return CellAt(*index - 1);
  if (step == Step::kNext) return CellAt(*index + 1);
  static constexpr TableCell kMoves[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};  // by Step
  const TableCell move = kMoves[static_cast<int>(step)];
  const TableCell to{cell.row + move.row, cell.column + move.column};
  if (!IndexOf(to)) return {};
  return to;
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
