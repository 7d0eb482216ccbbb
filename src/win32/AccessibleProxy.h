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

#include <string>

#include "win32/Win32.h"

namespace dorvane {
class TCalendar;
}

namespace dorvane::win32 {

class ControlWindow;
class AccessibleObject;

// The answer to WM_GETOBJECT for a window of ours whose client object answers `name` (when not
// empty) and `role` (a ROLE_SYSTEM_ value, when not 0) for itself; false when the window is to
// answer as it would without (another object asked for, or no accessibility library).
bool AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name, long role,
                     LRESULT& answer);

// The same for a control of the system's (an edit, a window of ours made by the system's
// class), from now on.
void AnnotateAccessible(HWND window, std::wstring name, long role);

// The calendar window's object: a table of dates whose cells are its simple children (child
// ids 1 and up: the day names, then the days row by row, as CalendarTable numbers them). One
// object answers every question while the window lives; once disconnected (the window going)
// it fails every question as a disconnected object does, while the readers that hold it let it
// go.
class CalendarAccessible {
 public:
  CalendarAccessible(ControlWindow& window, TCalendar& calendar)
      : window_(window), calendar_(calendar) {}
  ~CalendarAccessible() { Disconnect(); }
  CalendarAccessible(const CalendarAccessible&) = delete;
  CalendarAccessible& operator=(const CalendarAccessible&) = delete;

  bool Answer(WPARAM wParam, LPARAM lParam, LRESULT& answer);
  void Disconnect();

 private:
  ControlWindow& window_;
  TCalendar& calendar_;
  AccessibleObject* object_ = nullptr;  // made at the first question
};

}  // namespace dorvane::win32
