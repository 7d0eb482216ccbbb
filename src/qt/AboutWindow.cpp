#include "qt/AboutWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include "qt/Placement.h"

namespace dorvane {

AboutWindow::AboutWindow(QWidget* parent) : FormWindow(parent), form_(*this) {
  Build(*this, TFAbout::kLayout, form_);
  form_.FormCreate();
}

// The dialog goes before the window above which it stands: the owner's handler that shows it
// (TAboutBox::Execute) ends first.
std::unique_ptr<AboutDialog> AboutWindow::Create(QWidget* parent) {
  return std::make_unique<AboutWindow>(parent);
}

int AboutWindow::ControlRight(std::string_view control) const {
  const QWidget* widget = controls_->Find(control);
  return widget != nullptr ? widget->geometry().right() + 1 : 0;
}

void AboutWindow::PlaceHorizontally(std::string_view control, int left, int width) {
  if (QWidget* widget = controls_->Find(control))
    widget->setGeometry(left, widget->y(), width, widget->height());
}

void AboutWindow::ShowModal() {
  CentreOnScreen(this);
  exec();
}

void AboutWindow::ShowApplicationIcon(std::string_view control) {
  if (auto* picture = controls_->Get<QLabel>(control)) {
    picture->setPixmap(QApplication::windowIcon().pixmap(
        QSize(kApplicationIconSize, kApplicationIconSize), devicePixelRatioF()));
  }
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
  // No cancel button: Escape leaves the dialog open.
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace dorvane
