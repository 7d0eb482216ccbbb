#include "qt/CalendarWidget.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "calendar/CalendarTable.h"
#include "qt/AccessibleRoles.h"
#include "qt/QtCanvas.h"
#include "qt/QtKeys.h"
#include "qt/QtMouseButton.h"

namespace dorvane {

CalendarWidget::CalendarWidget(QWidget* parent) : QWidget(parent) {
  // Before anything of the widget is told to screen readers, which would make Qt build and
  // keep its generic interface.
  SetAccessibleRole(*this, QAccessible::Table);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Calendrier"));
  calendar_.SetHost(this);
  SendClientSize();
}

CalendarWidget::~CalendarWidget() {
  calendar_.SetHost(nullptr);
}

QSize CalendarWidget::sizeHint() const {
  const int b = calendar_.BorderWidth();
  return {293 + 2 * b, 125 + 2 * b};
}

Point CalendarWidget::ToClient(const QPointF& position) const {
  const int b = calendar_.BorderWidth();
  const QPoint p = position.toPoint();
  return {p.x() - b, p.y() - b};
}

void CalendarWidget::SendClientSize() {
  const int b = calendar_.BorderWidth();
  calendar_.SizeNotice(width() - 2 * b, height() - 2 * b);
}

bool CalendarWidget::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const Point p = ToClient(help->pos());
  const GridCoord cell = calendar_.MouseCoord(p.x, p.y);
  const std::string hint = calendar_.HintOfCell(cell.col, cell.row);
  if (hint.empty()) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  const Rect r = calendar_.WindowCellRect(cell.col, cell.row);
  QToolTip::showText(help->globalPos(), PlainToolTip(QString::fromStdString(hint)), this,
                     QRect(r.Left, r.Top, r.Width(), r.Height()));
  return true;
}

// ---- Host ----

void CalendarWidget::InvalidateAll() {
  update();
}

void CalendarWidget::InvalidateRect(const Rect& rect) {
  const int b = calendar_.BorderWidth();
  update(QRect(rect.Left + b, rect.Top + b, rect.Width(), rect.Height()));
}

void CalendarWidget::BorderChanged() {
  SendClientSize();
  updateGeometry();
}

void CalendarWidget::SetFocus() {
  if (isEnabled()) setFocus(Qt::MouseFocusReason);
}

// The window's focus widget stays ours while the window itself is inactive.
bool CalendarWidget::IsActiveControl() const {
  return window()->focusWidget() == this;
}

// Qt already routes every pointer event of a press to the pressed widget until the release.
void CalendarWidget::CapturePointer() {}
void CalendarWidget::ReleasePointer() {}

Point CalendarWidget::PointerPosition() const {
  return pointer_;
}

void CalendarWidget::StartRepeatTimer(int milliseconds) {
  selectTimer_.start(milliseconds, this);
}
void CalendarWidget::StopRepeatTimer() {
  selectTimer_.stop();
}

void CalendarWidget::CurrentCellChanged() {
  AnnounceCurrentCell(true);
}

void CalendarWidget::AnnounceCurrentCell(bool selection) {
  // Qt hands the notices on only when a reader listens; the interface is made once.
  const int index = CalendarTable(calendar_).CurrentIndex();
  if (selection) {
    QAccessibleEvent selected(this, QAccessible::Selection);
    selected.setChild(index);
    QAccessible::updateAccessibility(&selected);
  }
  if (hasFocus()) {
    QAccessibleEvent focused(this, QAccessible::Focus);
    focused.setChild(index);
    QAccessible::updateAccessibility(&focused);
  }
}

// ---- Events ----

void CalendarWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QtCanvas canvas(painter, palette());
  const int b = calendar_.BorderWidth();
  calendar_.PaintBorder(canvas, Rect{0, 0, width(), height()});
  const QRect client(b, b, width() - 2 * b, height() - 2 * b);
  painter.setClipRect(client, Qt::IntersectClip);
  painter.translate(b, b);
  const QRect dirty = event->rect().intersected(client).translated(-b, -b);
  calendar_.Paint(canvas, Rect{dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1});
}

void CalendarWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SendClientSize();
}

void CalendarWidget::Press(QMouseEvent* event, bool doubleClick) {
  pointer_ = ToClient(event->position());
  calendar_.MouseDown(MouseButtonOf(event->button()), ShiftOf(event->modifiers()), pointer_.x,
                      pointer_.y, doubleClick);
  event->accept();
}

void CalendarWidget::mousePressEvent(QMouseEvent* event) {
  Press(event, false);
}
void CalendarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  Press(event, true);
}

void CalendarWidget::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = ToClient(event->position());
  calendar_.MouseMove(ShiftOf(event->modifiers()), pointer_.x, pointer_.y);
}

void CalendarWidget::mouseReleaseEvent(QMouseEvent* event) {
  pointer_ = ToClient(event->position());
  calendar_.MouseUp(MouseButtonOf(event->button()), ShiftOf(event->modifiers()), pointer_.x,
                    pointer_.y);
}

void CalendarWidget::keyPressEvent(QKeyEvent* event) {
  const std::uint16_t key = VirtualKeyOf(event->key());
  // Tab never gets here, Qt's focus navigation takes it first.
  if (key != 0 && calendar_.KeyDown(key, ShiftOf(event->modifiers()))) {
    event->accept();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void CalendarWidget::wheelEvent(QWheelEvent* event) {
  if (!IsActiveControl() || event->angleDelta().y() == 0) {
    event->ignore();
    return;
  }
  calendar_.MouseWheel(event->angleDelta().y());
  event->accept();
}

void CalendarWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  calendar_.FocusChanged(true);
  // After the widget's own focus notice, which Qt sends once this event is handled: the reader
  // goes on to the day the user is on.
  QMetaObject::invokeMethod(
      this, [this] { AnnounceCurrentCell(false); }, Qt::QueuedConnection);
}

void CalendarWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  calendar_.CancelMode();
  calendar_.FocusChanged(false);
}

void CalendarWidget::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  calendar_.CancelMode();
}

void CalendarWidget::timerEvent(QTimerEvent* event) {
  if (event->timerId() == selectTimer_.timerId()) {
    calendar_.TimerTick();
  } else {
    QWidget::timerEvent(event);
  }
}

}  // namespace dorvane
