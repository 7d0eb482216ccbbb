#pragma once

#include <QAccessibleWidget>

namespace dorvane {

class CalendarWidget;

// The calendar widget as screen readers read it: a table of dates under a row of day names
// (CalendarTable gives the shape and the names; this only adapts them to Qt's interfaces). The
// cells are children of the table, created at their first use and kept with it.
class CalendarAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit CalendarAccessible(CalendarWidget* widget);
  ~CalendarAccessible() override;

  // Makes Qt build this interface for every CalendarWidget; once per process.
  static void Install();

  CalendarWidget* Widget() const;
  // The child of an index (headers first, then the days row by row); null outside.
  QAccessibleInterface* Cell(int index) const;

  // QAccessibleInterface
  QAccessible::Role role() const override { return QAccessible::Table; }
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTableInterface: the day rows; the headers are the cells' column headers.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return 1; }
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override;
  int rowCount() const override;
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  mutable QList<QAccessible::Id> cells_;  // by index; 0 until made
};

}  // namespace dorvane
