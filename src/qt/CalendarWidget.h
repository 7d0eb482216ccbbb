#pragma once

#include <QBasicTimer>
#include <QPoint>
#include <QWidget>

#include "calendar/Calendar.h"
#include "calendar/CalendarHost.h"

namespace dorvane {

// The Qt window of a TCalendar. It draws the client edge (sunken, 2 pixels, by default), paints
// the grid through QtCanvas with the colours of its palette, and hands Qt's size, mouse, key,
// wheel, focus and timer events to the calendar. Every rule lives in TCalendar; screen readers
// read it as a table of dates (SetAccessibleRole), told of each move of the current cell.
//
// Use:
//   auto* grid = new CalendarWidget(parent);
//   grid->setGeometry(x, y, 297, 129);            // client area 293 x 125: cells of 41 x 17
//   grid->setFocusPolicy(Qt::ClickFocus);         // not a tab stop: focus by a click only
//   grid->setAccessibleName("...");               // a default name is set
//   grid->Calendar().SetStartOfWeek(1);
//   grid->Calendar().OnChange = [](TCalendar& c) { ... c.SelectedDate() ... };
//
// The arrow keys are the calendar's; Tab is left to focus navigation. The wheel is taken only
// while the calendar is its window's focus widget, as the grid's own rules expect.
class CalendarWidget : public QWidget, private CalendarHost {
  Q_OBJECT

 public:
  explicit CalendarWidget(QWidget* parent = nullptr);
  ~CalendarWidget() override;

  TCalendar& Calendar() { return calendar_; }
  const TCalendar& Calendar() const { return calendar_; }

  QSize sizeHint() const override;

 protected:
  // A tooltip request shows the hint of the day under the pointer, for as long as the pointer
  // stays in that cell.
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  // CalendarHost
  void InvalidateAll() override;
  void InvalidateRect(const Rect& rect) override;
  void BorderChanged() override;
  void SetFocus() override;
  bool IsActiveControl() const override;
  void CapturePointer() override;
  void ReleasePointer() override;
  Point PointerPosition() const override;
  void StartRepeatTimer(int milliseconds) override;
  void StopRepeatTimer() override;
  void CurrentCellChanged() override;

  // Tells screen readers of the current cell: selected, and focused while the widget is.
  void AnnounceCurrentCell(bool selection);

  // Client coordinates of a widget point: inside the edge the widget draws.
  Point ToClient(const QPointF& position) const;
  void Press(QMouseEvent* event, bool doubleClick);
  void SendClientSize();

  TCalendar calendar_;
  QBasicTimer selectTimer_;
  Point pointer_;
};

}  // namespace dorvane
