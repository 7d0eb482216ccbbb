#pragma once

#include "forms/_Recherche.h"
#include "win32/FormWindow.h"

namespace dorvane::win32 {

// The date search dialog on Win32: the controls of TForm2's table, whose events it hands to
// the form. Modeless; created hidden once, only hidden and shown again afterwards. Its window
// is made when first needed (shown, or its fields read or filled).
class SearchWindow final : public FormWindow<FormView, TForm2> {
 public:
  // mainWindow is brought forward by a search, grid receives the date found.
  SearchWindow(FormView& mainWindow, TCalendar& grid) : FormWindow(mainWindow, grid) {
    BuildAtFirstUse(TForm2::kLayout, form_);
  }
};

}  // namespace dorvane::win32
