#pragma once

#include <QWidget>

#include "forms/_Recherche.h"
#include "qt/FormWindow.h"

namespace dorvane {

// The date search dialog on Qt: the controls of TForm2's table, whose events it hands to the
// form. Modeless; created hidden once and only hidden and shown again afterwards.
class SearchWindow : public FormWindow<QWidget, FormView> {
  Q_OBJECT

 public:
  // mainWindow is brought forward by a search, grid receives the date found.
  SearchWindow(FormView& mainWindow, TCalendar& grid);

  TForm2& Form() { return form_; }
  FormView& View() { return *this; }

 private:
  TForm2 form_;
};

}  // namespace dorvane
