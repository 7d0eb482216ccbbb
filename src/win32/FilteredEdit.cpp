#include "win32/FilteredEdit.h"

#include <commctrl.h>

#include "forms/Handlers.h"
#include "win32/ControlWindow.h"

namespace dorvane::win32 {

namespace {

LRESULT CALLBACK FilteredEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR filter) {
  switch (message) {
    case WM_CHAR: {
      // A filter that fails refuses the key.
      char32_t passed = 15;
      RunHandler(
          [&] { passed = reinterpret_cast<KeyFilter>(filter)(static_cast<char32_t>(wParam)); });
      wParam = static_cast<WPARAM>(passed);
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (RefusedEditKey(static_cast<std::uint16_t>(wParam), ShiftState())) return 0;
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(edit, FilteredEditProc, 0);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void FilterKeys(HWND edit, KeyFilter filter) {
  ::SetWindowSubclass(edit, FilteredEditProc, 0, reinterpret_cast<DWORD_PTR>(filter));
}

}  // namespace dorvane::win32
