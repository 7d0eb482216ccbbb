#include "qt/MainWindow.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>

#include "qt/AboutWindow.h"
#include "qt/CalendarWidget.h"
#include "qt/MessageBeep.h"
#include "qt/SearchWindow.h"

namespace dorvane {

MainWindow::MainWindow() : form_(*this) {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(client);
  Build(*client, TForm1::kLayout, form_);
  // The size lock: the layout answers every size query with the window's own size, as the
  // form's rule asks, so dragging the frame changes nothing.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  form_.Create();
}

void MainWindow::SetSearchDialog(SearchWindow* dialog) {
  form_.SetSearchDialog(dialog != nullptr ? &dialog->Form() : nullptr);
}

TCalendar& MainWindow::Calendar(std::string_view control) {
  return controls_->Get<CalendarWidget>(control)->Calendar();
}

void MainWindow::SetPanelText(int panel, std::string_view text) {
  controls_->SetPanelText(panel, text);
}

bool MainWindow::StartTimer(std::string_view timer, int milliseconds) {
  QTimer* t = controls_->Get<QTimer>(timer);
  if (t != nullptr) t->start(milliseconds);
  return t != nullptr && t->isActive();
}

// The main window keeps the dialog above it.
std::unique_ptr<AboutDialog> MainWindow::CreateAboutDialog() { return AboutWindow::Create(this); }

void MainWindow::Beep() { MessageBeep(); }

void MainWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

}  // namespace dorvane
