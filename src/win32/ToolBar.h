#pragma once
// The main window's tool bar: the band that holds it (a class of ours) and the tool bar's
// buttons and images from the window's table.

#include "forms/Layout.h"
#include "win32/Win32.h"

#include <commctrl.h>

namespace dorvane::win32 {

inline constexpr wchar_t kControlBarClass[] = L"DorvaneControlBar";

// Registers the band's class (a gripper of two raised ridges at its left edge, no bevel).
void RegisterControlBarClass(HINSTANCE instance);

// Gives the tool bar the table's buttons, their commands numbered from `firstId` in the
// table's order and sent to `commandsTo`, with their images at `dpi`; returns the image list,
// which the caller destroys after the tool bar.
HIMAGELIST BuildToolBar(HWND toolBar, HWND commandsTo, const WindowLayout& layout, int firstId,
                        int dpi);
// The tool bar's images, buttons and separators at another dpi; returns the new image list
// (the caller destroys the one it replaces).
HIMAGELIST ScaleToolBar(HWND toolBar, const WindowLayout& layout, int dpi);

}  // namespace dorvane::win32
