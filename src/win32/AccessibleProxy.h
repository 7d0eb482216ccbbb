#pragma once
// What screen readers read of our windows through MSAA, given on WM_GETOBJECT: the system's
// object for the window's client area, with what it cannot tell. A search field named "Jour"
// (the system would take its label's text, colon included, and only from the label just above
// it among its siblings), a label the program draws itself read as static text rather than as a
// pane, a window of ours that is a dialog, the calendar read as a table of dates. The rest
// (parent, the window's own state and place, events) stays the system's. The accessibility
// services (oleacc, oleaut32 and COM) are loaded at the first question, never by a program that
// is not asked, and kept to the end of the process: the objects given out live as long as their
// readers hold them. A reader out of the process gets an object through COM: the windows'
// thread joins an apartment then, for the rest of the run.

#include <memory>
#include <string>

#include "win32/Win32.h"

namespace dorvane {
class TCalendar;
}

namespace dorvane::win32 {

class ControlWindow;
class AccessibleObject;

// What a window of ours answers to WM_GETOBJECT, its client object being of `role` (a
// ROLE_SYSTEM_ value); DefWindowProcW's answer for another object, or without the services.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, long role);

// A control of the system's (an edit) whose client object is named `name` from now on.
void AnnotateAccessible(HWND window, std::wstring name);

// The calendar window's object, made at the first question and kept while the window lives: a
// table of dates whose cells are its simple children (child ids 1 and up: the day names, then
// the days row by row, as CalendarTable numbers them). Let go (the window going), it fails every
// question as a disconnected object does, while the readers that hold it let it go.
struct Disconnection {
  void operator()(AccessibleObject* object) const;
};
using CalendarAccessible = std::unique_ptr<AccessibleObject, Disconnection>;
LRESULT AnswerGetObject(ControlWindow& grid, TCalendar& calendar, CalendarAccessible& kept,
                        WPARAM wParam, LPARAM lParam);

}  // namespace dorvane::win32
