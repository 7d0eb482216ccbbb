#pragma once

#include "win32/Win32.h"

#include "win32/GdiCanvas.h"

namespace dorvane::win32 {

// The layout tables' pixels are those of a 96-dpi screen.
inline constexpr int kLayoutDpi = 96;

// The dpi a window is laid out at: its own where the system tracks it per monitor (Windows 10
// and later), the screen's otherwise (and for a null window).
int WindowDpi(HWND window);

// The dpi a window's layout is drawn at, for a window at `dpi`: grown with the desktop's text
// when its message font is larger than the standard size (TextScalePercent), so that a larger
// desktop font grows the windows as a larger dpi does. The window's frame and the system's
// metrics stay at `dpi` itself.
int LayoutDpiFor(int dpi);

// The size of NONCLIENTMETRICSW that every system takes (Windows XP knows no padded border).
UINT NonClientMetricsSize();

// A system metric at a dpi, where the system can give it for one; the screen's otherwise.
int SystemMetric(int index, int dpi);

// The outer rectangle of a window whose client area is `client`, at `dpi`.
RECT OuterRect(RECT client, DWORD style, DWORD exStyle, bool menu, int dpi);

}  // namespace dorvane::win32
