#include "qt/MainWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>
#include <QWheelEvent>

#include "qt/QtKeys.h"

namespace dorvane {

MainWindow::MainWindow() : form_(*this) {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(client);
  Build(*client, TForm1::kLayout, form_);
  QCoreApplication::instance()->installEventFilter(this);
  // The size lock: the layout answers every size query with the window's own size, whatever its
  // state, so dragging the frame changes nothing.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  form_.Create();
}

bool MainWindow::StartTimer(std::string_view timer, int milliseconds) {
  QTimer* t = controls_->Get<QTimer>(timer);
  if (t != nullptr) t->start(milliseconds);
  return t != nullptr && t->isActive();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this) return false;
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    const std::string_view target =
        FocusKeyTarget(TForm1::kLayout, VirtualKeyOf(key->key()), ShiftOf(key->modifiers()));
    if (target.empty()) return false;
    controls_->SetFocus(target);
    return true;
  }
  QWidget* focus = focusWidget();
  if (event->type() != QEvent::Wheel || focus == nullptr || focus == watched) return false;
  const auto* wheel = static_cast<QWheelEvent*>(event);
  QWheelEvent turn(focus->mapFromGlobal(wheel->globalPosition()), wheel->globalPosition(),
                   wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(), wheel->modifiers(),
                   wheel->phase(), wheel->inverted(), wheel->source());
  QCoreApplication::sendEvent(focus, &turn);
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) QCoreApplication::quit();
}

}  // namespace dorvane
