#pragma once
// The system's accessibility services (oleacc, oleaut32 and COM), loaded at the first question
// of a screen reader, never by a program that is not asked, and kept to the end of the process:
// the objects given out live as long as their readers hold them. A reader out of the process
// gets an object through COM: the windows' thread joins an apartment then, for the rest of the
// run.

#include <string>

#include "win32/Win32.h"

#include <oleacc.h>

namespace dorvane::win32 {

class Accessibility {
 public:
  static const Accessibility& Loaded();

  // The system's object for a window's client area; nullptr when it cannot make one.
  IAccessible* Standard(HWND window) const;
  // The answer to WM_GETOBJECT that hands `object` over; 0 when the system cannot take it.
  LRESULT Answer(WPARAM wParam, IAccessible* object) const;
  // A text for a reader; S_FALSE (no text) for an empty one.
  HRESULT Text(const std::wstring& text, BSTR* out) const;

 private:
  Accessibility();
  struct Library;
  const Library& library_;
};

}  // namespace dorvane::win32
