#pragma once
// The status bar's kept face. Its face (background, borders and grip, without the panels'
// texts) is drawn by the bar once and kept: a new panel text, every second for the clock, then
// repaints from the kept picture instead of through the theme again. The face is drawn anew
// whenever what it shows may change: the bar's size, parts, style, font, theme, colours or
// settings. The panels are owner-drawn by the window that holds the bar; the bar keeps their
// texts and answers them as a bar of plain texts does (SB_GETTEXT, SB_GETTEXTLENGTH, and its
// first panel's as its window text), which is what a screen reader reads.

#include <string>

#include "win32/Win32.h"

namespace dorvane::win32 {

// Has the bar keep its face from now on.
void KeepBarFace(HWND bar);

// A panel's text, kept by a bar that keeps its face; false when it had that text already (or the
// bar keeps no face). The caller repaints the panel.
bool KeepPanelText(HWND bar, int panel, const std::wstring& text);
// The text a panel was given; nullptr when it was given none.
const std::wstring* KeptPanelText(HWND bar, int panel);

// For the window's WM_DRAWITEM of a panel of the bar: while the bar draws its face, the
// panel's request is recorded (to be made again over the face at each paint) and true comes
// back; the panel draws nothing then.
bool RecordedForFace(HWND bar, const DRAWITEMSTRUCT& item);

}  // namespace dorvane::win32
