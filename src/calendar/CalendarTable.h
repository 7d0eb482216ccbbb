#pragma once

#include <optional>
#include <string>

#include "calendar/Calendar.h"

namespace dorvane {

// A cell of the calendar as screen readers see it: a table whose first row holds the column
// headers (the day names) above the rows of days.
struct TableCell {
  int row = 0;  // 0: the header row; the grid's rows as they are shown
  int column = 0;
  friend bool operator==(const TableCell&, const TableCell&) = default;
};

// The calendar read as a table of dates, the same on every front end: its shape, which cell is
// current, and what each cell is called. The cells are numbered row by row, headers first, as
// the accessibility interfaces list a table's children.
class CalendarTable {
 public:
  explicit CalendarTable(const TCalendar& calendar) : calendar_(calendar) {}

  // Header row included.
  int Rows() const { return calendar_.RowCount(); }
  int HeaderRows() const { return calendar_.FixedRows(); }
  int Columns() const;
  int Cells() const { return Rows() * Columns(); }

  // The table's columns and the grid's: every column of the table is a day column, whatever
  // the grid shows beside them (the week numbers' column is none).
  int GridColumn(int column) const { return calendar_.GridColumn(column); }
  std::optional<int> TableColumn(int gridColumn) const;

  // The cell of an index 0 .. Cells() - 1, and back; none outside.
  std::optional<TableCell> CellAt(int index) const;
  std::optional<int> IndexOf(TableCell cell) const;
  // The cell of a grid cell ({-1, -1}, outside the grid, gives none), and back.
  std::optional<TableCell> CellOf(GridCoord grid) const;
  GridCoord GridCellOf(TableCell cell) const { return {GridColumn(cell.column), cell.row}; }

  bool IsHeader(TableCell cell) const { return cell.row < HeaderRows(); }
  // A day cell that shows no day of the month.
  bool IsBlank(TableCell cell) const;
  // The date of a day cell; none for a header or a blank cell.
  std::optional<TDateTime> DateOf(TableCell cell) const;
  // The cell of the selected date, the current one, and its index.
  TableCell Current() const;
  bool IsCurrent(TableCell cell) const { return cell == Current(); }
  int CurrentIndex() const { return *IndexOf(Current()); }

  // What a reader is told of a cell besides its name.
  struct State {
    bool readOnly = false;     // a header
    bool unavailable = false;  // a blank day
    bool selectable = false;   // a day, which may also take the focus
    bool selected = false;     // the current day
    bool focused = false;      // the current day while the grid has the keyboard focus
    friend bool operator==(const State&, const State&) = default;
  };
  State StateOf(TableCell cell, bool gridFocused) const;

  // A cell's rectangle in the grid's window (its edge included), and the cell at a point of it;
  // none off the cells.
  Rect WindowRect(TableCell cell) const;
  std::optional<TableCell> CellAtPoint(Point window) const;

  // Where a reader goes from a cell: up, down, left or right in the table, or to the cell
  // before or after it in the children's order; none past the table's edges.
  enum class Step { kUp, kDown, kLeft, kRight, kPrevious, kNext };
  std::optional<TableCell> Neighbour(TableCell cell, Step step) const;

  // A header cell's name is its day's full name; a day cell's its full date in the user's
  // locale ("lundi 7 mars 2005"), followed by its holiday while holidays are shown ("lundi 28
  // mars 2005 — Lundi de Pâques"); a blank cell has none.
  std::string Name(TableCell cell) const;
  // The full name of a column's day.
  std::string HeaderName(int column) const;

 private:
  const TCalendar& calendar_;
};

}  // namespace dorvane
