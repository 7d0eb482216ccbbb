#pragma once

#include <string>

#include "win32/Win32.h"

namespace dorvane::win32 {

// Writes a bitmap to a PNG file through the system's imaging library: the Windows Imaging
// Component, or GDI+ where the system has no WIC (Windows XP). False when the file could not
// be written.
bool WritePng(HBITMAP bitmap, const std::string& file);

// The window's client area with its menu bar above it, as it shows on the screen, in a new
// bitmap (the caller owns it); null when the window shows nothing.
HBITMAP CaptureClientArea(HWND window);

}  // namespace dorvane::win32
