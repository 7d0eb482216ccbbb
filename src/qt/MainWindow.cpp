#include "qt/MainWindow.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>

#include "qt/AboutWindow.h"
#include "qt/CalendarWidget.h"
#include "qt/MessageBeep.h"
#include "qt/Placement.h"
#include "qt/SearchWindow.h"

namespace dorvane {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, WindowFlagsOf(TForm1::kLayout, Qt::Window)), form_(*this) {
  const WindowLayout& table = TForm1::kLayout;
  ApplyWindowLayout(*this, table);
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(table.clientWidth, table.clientHeight);
  setCentralWidget(client);
  controls_ = new FormControls(*client, table, form_);
  controls_->BuildMenu(*bar);
  // The size lock: the layout answers every size query with the window's own size, as the
  // form's rule asks, so dragging the frame changes nothing.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  form_.Create();
}

MainWindow::~MainWindow() = default;

void MainWindow::SetSearchDialog(SearchWindow* dialog) {
  form_.SetSearchDialog(dialog != nullptr ? &dialog->Form() : nullptr);
}

void MainWindow::ShowCentred() { ShowCentredFirstTime(this, shownOnce_); }

void MainWindow::SetText(std::string_view control, std::string_view text) {
  controls_->SetText(control, text);
}

std::string MainWindow::Text(std::string_view control) const { return controls_->Text(control); }

void MainWindow::SetFocus(std::string_view control) { controls_->SetFocus(control); }

void MainWindow::BringForward() { dorvane::BringForward(this, shownOnce_); }

void MainWindow::Close() { close(); }

TCalendar& MainWindow::Calendar(std::string_view control) {
  return controls_->Get<CalendarWidget>(control)->Calendar();
}

void MainWindow::SetPanelText(int panel, std::string_view text) {
  controls_->SetPanelText(panel, text);
}

bool MainWindow::StartTimer(std::string_view timer, int milliseconds) {
  QTimer* t = controls_->Timer(timer);
  if (t == nullptr) return false;
  t->start(milliseconds);
  return t->isActive();
}

std::unique_ptr<AboutDialog> MainWindow::CreateAboutDialog() {
  // The main window keeps the dialog above it.
  return AboutWindow::Create(this);
}

void MainWindow::Beep() { MessageBeep(); }

void MainWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

}  // namespace dorvane
