#pragma once

#include <QWidget>

#include "forms/_Recherche.h"
#include "qt/FormWindow.h"

namespace dorvane {

// The date search dialog on Qt: the controls of TForm2's table, whose events it hands to the
// form. Modeless; created hidden once and only hidden and shown again afterwards.
class SearchWindow : public FormWindow<QWidget, FormView> {
 public:
  // mainWindow is brought forward by a search, grid receives the date found.
  SearchWindow(FormView& mainWindow, TCalendar& grid) : form_(*this, mainWindow, grid) {
    Build(*this, TForm2::kLayout, form_);
    setAttribute(Qt::WA_QuitOnClose, false);
  }

  TForm2& Form() { return form_; }
  FormView& View() { return *this; }

 private:
  TForm2 form_;
};

}  // namespace dorvane
