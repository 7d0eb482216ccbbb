#include "qt/AboutWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace dorvane {

AboutWindow::AboutWindow(QWidget* parent) : FormWindow(parent), form_(*this) {
  Build(*this, TFAbout::kLayout, form_);
  form_.FormCreate();
}

void AboutWindow::ShowModal() {
  CentreOnScreen(this);
  QTimer::singleShot(0, this, [this] {
    if (onShown) onShown(*this);
  });
  exec();
}

int AboutWindow::ControlRight(std::string_view control) const {
  const QWidget* widget = controls_->Find(control);
  return widget != nullptr ? widget->geometry().right() + 1 : 0;
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
