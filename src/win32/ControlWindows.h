#pragma once

#include "win32/Win32.h"

#include "calendar/Calendar.h"
#include "controls/Lines.h"
#include "controls/RXCtrls.h"
#include "forms/Layout.h"
#include "gfx/Canvas.h"

namespace dorvane::win32 {

// Registers the window classes of the program's own controls once per process.
void RegisterControlClasses(HINSTANCE instance);

// Child windows hosting the program's own controls, for a layout row of kind kCalendar,
// kRxLabel or kLine. `bounds` are device pixels in the parent's client coordinates (the row's
// rectangle already scaled to `dpi`, each edge by MulDiv(v, dpi, 96)); `font` is the row's font
// or the window's; the control id is `id`. The window owns its control; it goes with the
// window. A size the row leaves to the control (kAutoSize) is the control's own: the line's
// first height, the label's text; the bounds' value for it is not used.
//
// The controls work in 96-dpi pixels: each window converts its device pixels (bounds, pointer,
// paint) at its dpi. The label and the line have no background of their own: they paint over
// the brush their parent gives for WM_CTLCOLORSTATIC (the button face where it gives none) and
// over the labels and lines below them, as windowless controls would.
HWND CreateCalendarWindow(HWND parent, int id, const ControlLayout& row, const Font& font,
                          const RECT& bounds, int dpi);
HWND CreateRxLabelWindow(HWND parent, int id, const ControlLayout& row, const Font& font,
                         const RECT& bounds, int dpi);
HWND CreateLineWindow(HWND parent, int id, const ControlLayout& row, const RECT& bounds, int dpi);

// The id, in its window's tooltip control, of the tool that shows the hint of the calendar's
// day under the pointer (the calendar's window is the tool's window).
inline constexpr UINT_PTR kCellHintTool = 1;

// The control of such a window (the window must be one of the kind asked for; otherwise
// std::invalid_argument).
TCalendar& CalendarOf(HWND window);
TRxLabel& RxLabelOf(HWND window);

// The window a label's accelerator gives the focus to (its FocusControl); null clears it. The
// label follows that window's focus, and forgets the window when it goes.
void SetLabelFocusWindow(HWND label, HWND target);
// An Alt+character typed in a top-level window: the first of its labels whose accelerator it
// is gives the focus to its window. False when none took it.
bool LabelsDialogChar(HWND root, wchar_t ch);

// The window moved to another dpi (WM_DPICHANGED of its top-level window): new font sizes and
// a repaint; the caller moves it to its new bounds.
void SetControlDpi(HWND window, int dpi);

}  // namespace dorvane::win32
