#include "qt/CalendarWidget.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "calendar/CalendarTable.h"
#include "qt/AccessibleRoles.h"
#include "qt/QtCanvas.h"
#include "qt/QtKeys.h"

namespace dorvane {

CalendarWidget::CalendarWidget(QWidget* parent) : QWidget(parent) {
  // Before anything of the widget is told to screen readers, which would make Qt build and
  // keep its generic interface.
  SetAccessibleRole(*this, QAccessible::Table);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Calendrier"));
  calendar_.SetHost(this);
  calendar_.WindowResized(width(), height());
}

bool CalendarWidget::event(QEvent* event) {
  if (const std::optional<MouseEvent> mouse = MouseEventOf(*event)) {
    calendar_.WindowMouse(*mouse);
    event->accept();
    return true;
  }
  switch (event->type()) {
    case QEvent::ToolTip:
      ShowHint(*static_cast<QHelpEvent*>(event));
      return true;
    case QEvent::Timer:
      if (static_cast<QTimerEvent*>(event)->timerId() != selectTimer_.timerId()) break;
      calendar_.TimerTick();
      return true;
    case QEvent::KeyPress: {
      // Tab is not among the grid's keys: it goes on to Qt's focus navigation.
      const auto* key = static_cast<QKeyEvent*>(event);
      const std::uint16_t virtualKey = VirtualKeyOf(key->key());
      if (virtualKey == 0 || !calendar_.KeyDown(virtualKey, ShiftOf(key->modifiers()))) break;
      event->accept();
      return true;
    }
    case QEvent::Wheel: {
      // Taken only while the grid is its window's focus widget; otherwise the parent gets it.
      const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
      if (!IsActiveControl() || delta == 0) break;
      calendar_.MouseWheel(delta);
      event->accept();
      return true;
    }
    default:
      break;
  }
  // Qt's own handling first, then the calendar's.
  const bool handled = QWidget::event(event);
  switch (event->type()) {
    case QEvent::Resize:
      calendar_.WindowResized(width(), height());
      break;
    case QEvent::Hide:
      calendar_.CancelMode();
      break;
    case QEvent::FocusIn:
      calendar_.FocusChanged(true);
      // After the widget's own focus notice, which Qt sends once this event is handled: the
      // reader goes on to the day the user is on.
      QMetaObject::invokeMethod(
          this, [this] { AnnounceCurrentCell(false); }, Qt::QueuedConnection);
      break;
    case QEvent::FocusOut:
      calendar_.FocusChanged(false);
      break;
    default:
      break;
  }
  return handled;
}

void CalendarWidget::ShowHint(QHelpEvent& help) {
  const GridCoord cell = calendar_.WindowCoord({help.pos().x(), help.pos().y()});
  const QString hint =
      PlainToolTip(QString::fromStdString(calendar_.HintOfCell(cell.col, cell.row)));
  const Rect r = calendar_.WindowCellRect(cell.col, cell.row);
  // No hint hides the tooltip, and leaves the event to the parent.
  QToolTip::showText(help.globalPos(), hint, this, QRect(r.Left, r.Top, r.Width(), r.Height()));
  if (hint.isEmpty()) help.ignore();
}

void CalendarWidget::AnnounceCurrentCell(bool selection) {
  // Qt hands the notices on only when a reader listens; the interface is made once.
  const int index = CalendarTable(calendar_).CurrentIndex();
  const auto tell = [&](QAccessible::Event kind) {
    QAccessibleEvent notice(this, kind);
    notice.setChild(index);
    QAccessible::updateAccessibility(&notice);
  };
  if (selection) tell(QAccessible::Selection);
  if (hasFocus()) tell(QAccessible::Focus);
}

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

}  // namespace dorvane
