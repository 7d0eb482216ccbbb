#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace dorvane {

// Places a top-level window in the middle of the screen it will open on.
inline void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QSize size = window->frameGeometry().size().expandedTo(window->size());
  window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

// Shows a window, centred on its screen the first time only: later showings keep the place it
// last had.
inline void ShowCentredFirstTime(QWidget* window, bool& shownOnce) {
  if (!shownOnce) {
    CentreOnScreen(window);
    shownOnce = true;
  }
  window->show();
}

// Brings a window forward: out of the minimised state, shown (centred the first time), raised
// and active.
inline void BringForward(QWidget* window, bool& shownOnce) {
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  ShowCentredFirstTime(window, shownOnce);
  window->raise();
  window->activateWindow();
}

}  // namespace dorvane
