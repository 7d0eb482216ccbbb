#pragma once

#include <string>

#include "win32/Win32.h"

namespace dorvane::win32 {

// Writes a bitmap to a PNG file through GDI+, which every system has from Windows XP on; it is
// loaded for the call only, the window program itself having no use for it. False when the
// file could not be written.
bool WritePng(HBITMAP bitmap, const std::string& file);

// The window's client area with its menu bar above it, as it shows on the screen, in a new
// bitmap (the caller owns it); null when the window shows nothing.
HBITMAP CaptureClientArea(HWND window);

}  // namespace dorvane::win32
