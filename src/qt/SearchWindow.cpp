#include "qt/SearchWindow.h"

namespace dorvane {

SearchWindow::SearchWindow(FormView& mainWindow, TCalendar& grid) : form_(*this, mainWindow, grid) {
  Build(*this, TForm2::kLayout, form_);
  setAttribute(Qt::WA_QuitOnClose, false);
}

}  // namespace dorvane
