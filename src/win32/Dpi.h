#pragma once

#include "win32/Win32.h"

#include "forms/Layout.h"
#include "win32/GdiCanvas.h"

namespace dorvane::win32 {

// The dpi a window is laid out at: its own where the system tracks it per monitor (Windows 10
// and later), the screen's otherwise (and for a null window).
int WindowDpi(HWND window);

// The dpi a window's layout is drawn at, for a window at `dpi`: grown with the desktop's text
// when its message font is larger than the standard size (TextScalePercent), so that a larger
// desktop font grows the windows as a larger dpi does. The window's frame and the system's
// metrics stay at `dpi` itself. LayoutDpi: the same for the window at its own dpi.
int LayoutDpiFor(int dpi);
inline int LayoutDpi(HWND window) {
  return LayoutDpiFor(WindowDpi(window));
}

// The size of NONCLIENTMETRICSW that every system takes (Windows XP knows no padded border).
UINT NonClientMetricsSize();

// A system metric at a dpi, where the system can give it for one; the screen's otherwise.
int SystemMetric(int index, int dpi);

// The outer size of a window whose client area has the table's size at `layoutDpi`, its frame
// at `dpi`.
SIZE OuterSize(const WindowLayout& layout, int layoutDpi, DWORD style, DWORD exStyle, bool menu,
               int dpi);

}  // namespace dorvane::win32
