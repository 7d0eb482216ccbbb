#pragma once

#include <string>
#include <vector>

#include "win32/Win32.h"

namespace dorvane::win32 {

using PanelTexts = std::vector<std::wstring>;

// The panels of the bar are owner-drawn by the window that holds it, which keeps their texts
// in `texts` (alive as long as the bar): the bar answers them as a bar of plain texts does
// (SB_GETTEXT, SB_GETTEXTLENGTH, and its first panel's as its window text), which is what a
// screen reader reads.
void AnswerPanelTexts(HWND bar, const PanelTexts& texts);

}  // namespace dorvane::win32
