#include "qt/AccessibleRoles.h"

#include <QAccessibleWidget>
#include <QVariant>

#include "calendar/CalendarTable.h"
#include "platform/QtText.h"
#include "qt/CalendarWidget.h"

namespace dorvane {

namespace {

constexpr char kRoleProperty[] = "dorvaneAccessibleRole";

class CellAccessible;

// The calendar's table; its cells are its children, made at their first use and kept with it:
// they go with it, and it with the widget.
class TableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TableAccessible(CalendarWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Table) {}
  ~TableAccessible() override {
    for (const QAccessible::Id id : std::as_const(cells_)) {
      if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }
  }

  CalendarWidget* Widget() const { return static_cast<CalendarWidget*>(widget()); }
  CalendarTable Table() const { return CalendarTable(Widget()->Calendar()); }

  // QAccessibleInterface: the children are the cells, the day names first, then the days row by
  // row.
  int childCount() const override { return Table().Cells(); }
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override {
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
    return id != 0 ? static_cast<int>(cells_.indexOf(id)) : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at = Widget()->mapFromGlobal(QPoint(x, y));
    const std::optional<TableCell> cell = Table().CellAtPoint({at.x(), at.y()});
    return cell ? child(*Table().IndexOf(*cell)) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return Widget()->hasFocus() ? child(Table().CurrentIndex()) : nullptr;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // QAccessibleTableInterface: the day rows; the headers are the cells' column headers.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    const std::optional<int> index = Table().IndexOf({row + Table().HeaderRows(), column});
    return index && row >= 0 ? child(*index) : nullptr;
  }
  int selectedCellCount() const override { return 1; }
  QList<QAccessibleInterface*> selectedCells() const override {
    return {child(Table().CurrentIndex())};
  }
  QString columnDescription(int column) const override {
    if (column < 0 || column >= columnCount()) return {};
    return QStringFromUtf8(Table().HeaderName(column));
  }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return Table().Columns(); }
  int rowCount() const override { return Table().Rows() - Table().HeaderRows(); }
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

// One cell of the calendar's table: a day, a blank day or a day name. It reads the calendar
// each time it is asked, so that it follows the shown month.
class CellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CellAccessible(TableAccessible& table, int index) : table_(table), index_(index) {}

  bool isValid() const override { return table_.isValid(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return table_.window(); }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return &table_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? QStringFromUtf8(Table().Name(Cell())) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const Rect r = Table().WindowRect(Cell());
    return {table_.Widget()->mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height())};
  }
  QAccessible::Role role() const override {
    return Table().IsHeader(Cell()) ? QAccessible::ColumnHeader : QAccessible::Cell;
  }
  QAccessible::State state() const override {
    const CalendarTable::State is = Table().StateOf(Cell(), table_.Widget()->hasFocus());
    QAccessible::State s;
    s.readOnly = is.readOnly;
    s.disabled = is.unavailable;
    s.selectable = s.focusable = is.selectable;
    s.selected = s.active = is.selected;
    s.focused = is.focused;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface && !Table().IsHeader(Cell()))
      return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  // QAccessibleTableCellInterface: the table's rows are the day rows.
  bool isSelected() const override { return Table().IsCurrent(Cell()); }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    QList<QAccessibleInterface*> headers;
    for (int row = 0; row < Table().HeaderRows(); ++row) {
      headers.append(table_.child(*Table().IndexOf({row, Cell().column})));
    }
    return headers;
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return Cell().column; }
  int rowIndex() const override { return Cell().row - Table().HeaderRows(); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return &table_; }

 private:
  CalendarTable Table() const { return table_.Table(); }
  TableCell Cell() const { return Table().CellAt(index_).value_or(TableCell{}); }

  TableAccessible& table_;
  int index_;
};

QAccessibleInterface* TableAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (cells_.size() <= index) cells_.resize(index + 1, 0);
  if (cells_[index] == 0) {
    auto* cell = new CellAccessible(*const_cast<TableAccessible*>(this), index);
    cells_[index] = QAccessible::registerAccessibleInterface(cell);
  }
  return QAccessible::accessibleInterface(cells_[index]);
}

// Asked by Qt for each class of an object's chain, the most derived first.
QAccessibleInterface* RoleFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  const QVariant role = widget != nullptr ? widget->property(kRoleProperty) : QVariant();
  if (!role.isValid()) return nullptr;
  if (auto* grid = qobject_cast<CalendarWidget*>(widget)) return new TableAccessible(grid);
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void SetAccessibleRole(QWidget& widget, QAccessible::Role role) {
  [[maybe_unused]] static const bool installed = (QAccessible::installFactory(RoleFactory), true);
  widget.setProperty(kRoleProperty, static_cast<int>(role));
}

}  // namespace dorvane
