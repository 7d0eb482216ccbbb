#pragma once

#include "forms/Layout.h"
#include "win32/Win32.h"

namespace dorvane::win32 {

// Puts an edit under a key filter: every typed character goes through `filter` first, and a
// character the filter replaces reaches the edit as the replacement, which a single-line edit
// does not insert; the keys that change the text without typing one (RefusedEditKey) are
// refused.
void FilterKeys(HWND edit, KeyFilter filter);

}  // namespace dorvane::win32
