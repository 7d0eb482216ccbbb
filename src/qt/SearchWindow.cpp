#include "qt/SearchWindow.h"

#include "qt/Placement.h"

namespace dorvane {

SearchWindow::SearchWindow(FormView& mainWindow, TCalendar& grid)
    : QWidget(nullptr, WindowFlagsOf(TForm2::kLayout, Qt::Dialog)),
      form_(*this, mainWindow, grid) {
  const WindowLayout& layout = TForm2::kLayout;
  ApplyWindowLayout(*this, layout);
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(layout.clientWidth, layout.clientHeight);
  controls_ = new FormControls(*this, layout, form_);
}

void SearchWindow::SetText(std::string_view control, std::string_view text) {
  controls_->SetText(control, text);
}

std::string SearchWindow::Text(std::string_view control) const {
  return controls_->Text(control);
}

void SearchWindow::SetFocus(std::string_view control) { controls_->SetFocus(control); }

void SearchWindow::BringForward() { dorvane::BringForward(this, shownOnce_); }

void SearchWindow::Close() { close(); }

}  // namespace dorvane
