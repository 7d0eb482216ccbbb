#pragma once
// A window's accessible object as the system makes it for its class, with the name or the role
// that object cannot tell: a search field named "Jour" (the system would take its label's text,
// colon included, and only from the label just above it among its siblings), a label the
// program draws itself read as static text rather than as a pane, a window of ours that is a
// dialog. Everything else (value, state, place, children, events) stays the system's. It is
// given on WM_GETOBJECT, the question a screen reader asks; the accessibility library and COM
// are loaded at the first question, never by a program that is not asked.

#include <string>

#include "win32/Win32.h"

namespace dorvane::win32 {

// The answer to WM_GETOBJECT for a window of ours whose client object answers `name` (when not
// empty) and `role` (a ROLE_SYSTEM_ value, when not 0) for itself; false when the window is to
// answer as it would without (another object asked for, or no accessibility library).
bool AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name, long role,
                     LRESULT& answer);

// The same for a control of the system's (an edit, a window of ours made by the system's
// class), from now on.
void AnnotateAccessible(HWND window, std::wstring name, long role);

}  // namespace dorvane::win32
