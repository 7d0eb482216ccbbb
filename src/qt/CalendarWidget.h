#pragma once

#include <QBasicTimer>
#include <QHelpEvent>
#include <QWidget>

#include "calendar/Calendar.h"
#include "calendar/CalendarHost.h"

namespace dorvane {

// The Qt window of a TCalendar. It draws the client edge (sunken, 2 pixels, by default), paints
// the grid through QtCanvas with the colours of its palette, and hands Qt's size, mouse, key,
// wheel, focus and timer events to the calendar. Every rule lives in TCalendar; screen readers
// read it as a table of dates (SetAccessibleRole), told of each move of the current cell.
// The arrow keys are the calendar's; Tab is left to focus navigation. The wheel is taken only
// while the calendar is its window's focus widget, as the grid's own rules expect.
class CalendarWidget : public QWidget, private CalendarHost {
  Q_OBJECT

 public:
  explicit CalendarWidget(QWidget* parent = nullptr);

  TCalendar& Calendar() { return calendar_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // CalendarHost
  void InvalidateAll() override { update(); }
  void InvalidateRect(const Rect& r) override { update(r.Left, r.Top, r.Width(), r.Height()); }
  void BorderChanged() override { calendar_.WindowResized(width(), height()); }
  void SetFocus() override {
    if (isEnabled()) setFocus(Qt::MouseFocusReason);
  }
  // The window's focus widget stays ours while the window itself is inactive.
  bool IsActiveControl() const override { return window()->focusWidget() == this; }
  void StartRepeatTimer(int milliseconds) override { selectTimer_.start(milliseconds, this); }
  void StopRepeatTimer() override { selectTimer_.stop(); }
  void CurrentCellChanged() override { AnnounceCurrentCell(true); }

  // Tells screen readers of the current cell: selected, and focused while the widget is.
  void AnnounceCurrentCell(bool selection);

  // Shows the hint of the day under the pointer, for as long as the pointer stays in that cell.
  void ShowHint(QHelpEvent& help);

  TCalendar calendar_;
  QBasicTimer selectTimer_;
};

}  // namespace dorvane
