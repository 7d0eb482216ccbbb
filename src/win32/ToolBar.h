#pragma once

#include "forms/Layout.h"
#include "win32/Win32.h"

#include <commctrl.h>

namespace dorvane::win32 {

// Gives the tool bar the table's buttons, their commands numbered from `firstId` in the
// table's order and sent to `commandsTo`, with their images at `dpi`; returns the image list,
// which the caller destroys after the tool bar.
HIMAGELIST BuildToolBar(HWND toolBar, HWND commandsTo, const WindowLayout& layout, int firstId,
                        int dpi);
// The tool bar's images, buttons and separators at another dpi, or for the system's new
// colours: `images` is replaced by the new image list, the old one destroyed.
void ScaleToolBar(HWND toolBar, const WindowLayout& layout, int dpi, HIMAGELIST& images);

}  // namespace dorvane::win32
