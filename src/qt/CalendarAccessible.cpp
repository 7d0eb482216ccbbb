#include "qt/CalendarAccessible.h"

#include <QPointer>
#include <QWidget>

#include "calendar/CalendarTable.h"
#include "platform/QtText.h"
#include "qt/CalendarWidget.h"

namespace dorvane {

namespace {

// One cell of the table: a day, a blank day or a day name. It reads the calendar each time it
// is asked, so that it follows the shown month; once the widget is gone it is no longer valid.
class CellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CellAccessible(CalendarWidget* widget, int index) : widget_(widget), index_(index) {}

  bool isValid() const override { return !widget_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return widget_ ? widget_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(widget_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QString text(QAccessible::Text t) const override {
    if (!widget_ || t != QAccessible::Name) return {};
    return QStringFromUtf8(Table().Name(Cell()));
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!widget_) return {};
    const TCalendar& calendar = widget_->Calendar();
    const GridCoord grid = Table().GridCellOf(Cell());
    const Rect r = calendar.WindowCellRect(grid.col, grid.row);
    const QPoint origin = widget_->mapToGlobal(QPoint(r.Left, r.Top));
    return {origin, QSize(r.Width(), r.Height())};
  }
  QAccessible::Role role() const override {
    return widget_ && Table().IsHeader(Cell()) ? QAccessible::ColumnHeader : QAccessible::Cell;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!widget_) {
      s.invalid = true;
      return s;
    }
    const CalendarTable table = Table();
    const TableCell cell = Cell();
    if (table.IsHeader(cell)) return s;
    if (table.IsBlank(cell)) {
      s.disabled = true;
      return s;
    }
    s.selectable = true;
    s.focusable = true;
    if (table.IsCurrent(cell)) {
      s.selected = true;
      s.focused = widget_->hasFocus();
      s.active = true;
    }
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface && widget_ && !Table().IsHeader(Cell()))
      return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  // QAccessibleTableCellInterface: the table's rows are the day rows.
  bool isSelected() const override { return widget_ && Table().IsCurrent(Cell()); }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    if (!widget_) return {};
    auto* table = static_cast<CalendarAccessible*>(parent());
    QList<QAccessibleInterface*> headers;
    for (int row = 0; row < Table().HeaderRows(); ++row) {
      headers.append(table->Cell(*Table().IndexOf({row, Cell().column})));
    }
    return headers;
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return widget_ ? Cell().column : -1; }
  int rowIndex() const override { return widget_ ? Cell().row - Table().HeaderRows() : -1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  CalendarTable Table() const { return CalendarTable(widget_->Calendar()); }
  TableCell Cell() const { return Table().CellAt(index_).value_or(TableCell{}); }

  QPointer<CalendarWidget> widget_;
  int index_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (auto* widget = qobject_cast<CalendarWidget*>(object)) return new CalendarAccessible(widget);
  return nullptr;
}

}  // namespace

CalendarAccessible::CalendarAccessible(CalendarWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Table) {}

CalendarAccessible::~CalendarAccessible() {
  for (const QAccessible::Id id : std::as_const(cells_)) {
    if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }
}

void CalendarAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

CalendarWidget* CalendarAccessible::Widget() const {
  return static_cast<CalendarWidget*>(widget());
}

QAccessibleInterface* CalendarAccessible::Cell(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (cells_.size() <= index) cells_.resize(index + 1, 0);
  if (cells_[index] == 0) {
    cells_[index] = QAccessible::registerAccessibleInterface(new CellAccessible(Widget(), index));
  }
  return QAccessible::accessibleInterface(cells_[index]);
}

int CalendarAccessible::childCount() const {
  return CalendarTable(Widget()->Calendar()).Cells();
}

QAccessibleInterface* CalendarAccessible::child(int index) const {
  return Cell(index);
}

int CalendarAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
  return id != 0 ? static_cast<int>(cells_.indexOf(id)) : -1;
}

QAccessibleInterface* CalendarAccessible::childAt(int x, int y) const {
  const TCalendar& calendar = Widget()->Calendar();
  const int b = calendar.BorderWidth();
  const QPoint at = Widget()->mapFromGlobal(QPoint(x, y));
  const CalendarTable table(calendar);
  const std::optional<TableCell> cell = table.CellOf(calendar.MouseCoord(at.x() - b, at.y() - b));
  return cell ? Cell(*table.IndexOf(*cell)) : nullptr;
}

QAccessibleInterface* CalendarAccessible::focusChild() const {
  if (!Widget()->hasFocus()) return nullptr;
  const CalendarTable table(Widget()->Calendar());
  return Cell(*table.IndexOf(table.Current()));
}

void* CalendarAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* CalendarAccessible::cellAt(int row, int column) const {
  const CalendarTable table(Widget()->Calendar());
  const std::optional<int> index = table.IndexOf({row + table.HeaderRows(), column});
  return index && row >= 0 ? Cell(*index) : nullptr;
}

QList<QAccessibleInterface*> CalendarAccessible::selectedCells() const {
  const CalendarTable table(Widget()->Calendar());
  return {Cell(*table.IndexOf(table.Current()))};
}

QString CalendarAccessible::columnDescription(int column) const {
  const CalendarTable table(Widget()->Calendar());
  if (column < 0 || column >= table.Columns()) return {};
  return QStringFromUtf8(table.HeaderName(column));
}

int CalendarAccessible::columnCount() const {
  return CalendarTable(Widget()->Calendar()).Columns();
}

int CalendarAccessible::rowCount() const {
  const CalendarTable table(Widget()->Calendar());
  return table.Rows() - table.HeaderRows();
}

}  // namespace dorvane
