#pragma once
// The status bar's panels are owner-drawn by the window that holds the bar; the bar keeps
// their texts and answers them as a bar of plain texts does (SB_GETTEXT, SB_GETTEXTLENGTH, and
// its first panel's as its window text), which is what a screen reader reads.

#include <string>

#include "win32/Win32.h"

namespace dorvane::win32 {

// Has the bar keep its panels' texts from now on.
void KeepPanelTexts(HWND bar);

// A panel's text, kept by the bar; false when it had that text already (or the bar keeps no
// texts). The caller repaints the panel.
bool KeepPanelText(HWND bar, int panel, const std::wstring& text);
// The text a panel was given; nullptr when it was given none.
const std::wstring* KeptPanelText(HWND bar, int panel);

}  // namespace dorvane::win32
