#pragma once

#include "win32/Win32.h"

#include "win32/GdiCanvas.h"

namespace dorvane::win32 {

// The layout tables' pixels are those of a 96-dpi screen.
inline constexpr int kLayoutDpi = 96;

// The dpi a window is laid out at: its own where the system tracks it per monitor (Windows 10
// and later), the screen's otherwise (and for a null window).
int WindowDpi(HWND window);

// A system metric at a dpi, where the system can give it for one; the screen's otherwise.
int SystemMetric(int index, int dpi);

// The outer rectangle of a window whose client area is `client`, at `dpi`.
RECT OuterRect(RECT client, DWORD style, DWORD exStyle, bool menu, int dpi);

}  // namespace dorvane::win32
