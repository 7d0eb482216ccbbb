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

}  // namespace dorvane
