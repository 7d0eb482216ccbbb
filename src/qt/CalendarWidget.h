#pragma once

#include <QBasicTimer>
#include <QHelpEvent>
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
  // The mouse, key, wheel, tooltip, timer, size, focus and visibility events.
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // CalendarHost
  void InvalidateAll() override { update(); }
  void InvalidateRect(const Rect& rect) override;
  void BorderChanged() override;
  void SetFocus() override {
    if (isEnabled()) setFocus(Qt::MouseFocusReason);
  }
  // The window's focus widget stays ours while the window itself is inactive.
  bool IsActiveControl() const override { return window()->focusWidget() == this; }
  // Qt already routes every pointer event of a press to the pressed widget until the release.
  void CapturePointer() override {}
  void ReleasePointer() override {}
  Point PointerPosition() const override { return pointer_; }
  void StartRepeatTimer(int milliseconds) override { selectTimer_.start(milliseconds, this); }
  void StopRepeatTimer() override { selectTimer_.stop(); }
  void CurrentCellChanged() override { AnnounceCurrentCell(true); }

  // Tells screen readers of the current cell: selected, and focused while the widget is.
  void AnnounceCurrentCell(bool selection);

  // Client coordinates of a widget point: inside the edge the widget draws.
  Point ToClient(const QPointF& position) const;
  void Mouse(const QMouseEvent& event);
  // Shows the hint of the day under the pointer, for as long as the pointer stays in that cell.
  void ShowHint(QHelpEvent& help);

  TCalendar calendar_;
  QBasicTimer selectTimer_;
  Point pointer_;
};

}  // namespace dorvane
