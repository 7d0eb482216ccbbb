#include "qt/AboutWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

#include "qt/Placement.h"

namespace dorvane {

namespace {

// One showing: the dialog is ours to destroy, unless the window above which it stands goes
// first and takes it along.
class QtAboutDialog final : public AboutDialog {
 public:
  explicit QtAboutDialog(AboutWindow* window) : window_(window) {}
  ~QtAboutDialog() override { delete window_.data(); }

  FormView& View() override { return window_->View(); }
  void ShowModal() override {
    if (window_) window_->ShowModal();
  }
  int ControlRight(std::string_view control) const override {
    const QWidget* widget = window_ ? window_->Controls().Find(control) : nullptr;
    return widget != nullptr ? widget->geometry().right() + 1 : 0;
  }
  void SetClientWidth(int width) override {
    if (window_) window_->setFixedSize(width, window_->height());
  }
  void PlaceHorizontally(std::string_view control, int left, int width) override {
    if (QWidget* widget = window_ ? window_->Controls().Find(control) : nullptr)
      widget->setGeometry(left, widget->y(), width, widget->height());
  }

 private:
  QPointer<AboutWindow> window_;
};

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : FormWindow(parent), form_(*this) {
  Build(*this, TFAbout::kLayout, form_);
  form_.FormCreate();
}

std::unique_ptr<AboutDialog> AboutWindow::Create(QWidget* parent) {
  return std::make_unique<QtAboutDialog>(new AboutWindow(parent));
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
