#pragma once

#include <QAccessible>
#include <QWidget>

namespace dorvane {

// Gives one of our own widgets the role a screen reader announces it by: a label drawn by the
// program (static text), the status bar, a window that is a dialog. Qt presents a plain
// QWidget as a nameless pane; the widget's accessible name stays its own (accessibleName(), or
// a window's title). A CalendarWidget given the table role is read as a table of dates under a
// row of day names (CalendarTable gives the shape and the names; Qt's table interfaces only
// present them). Set before the widget is first asked for, as at its creation.
void SetAccessibleRole(QWidget& widget, QAccessible::Role role);

}  // namespace dorvane
