#pragma once

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace dorvane {

// The frame a top-level window gets: its own once the window system has framed it, else that
// of another framed window of the program, which the same window manager decorates alike.
inline QMargins ExpectedFrame(const QWidget* window) {
  const auto frameOf = [](const QWidget* framed) {
    return framed->isVisible() && framed->windowHandle() != nullptr
               ? framed->windowHandle()->frameMargins()
               : QMargins();
  };
  if (const QMargins own = frameOf(window); !own.isNull()) return own;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (const QMargins frame = frameOf(other); !frame.isNull()) return frame;
  }
  return {};
}

// Places a top-level window, frame included, in the middle of the screen it will open on;
// returns the frame it counted.
inline QMargins CentreOnScreen(QWidget* window) {
  const QMargins frame = ExpectedFrame(window);
  const QScreen* screen = window->screen();  // the primary screen while it is on none
  if (screen == nullptr) return frame;
  const QRect area = screen->availableGeometry();
  const QSize size = window->size().grownBy(frame);
  // move() places the frame's corner.
  window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  return frame;
}

namespace placement_detail {

// Centres the window again once the window system has framed it, if the frame turned out
// other than expected; then lets go, so that the user's own moves are never undone.
// A child of the window, it goes with it at the latest.
class RecentreWhenFramed final : public QObject {
 public:
  RecentreWhenFramed(QWidget* window, QMargins expected) : QObject(window), expected_(expected) {
    window->installEventFilter(this);
    QTimer::singleShot(2000, this, [this] { deleteLater(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(parent());
    if (watched != window || (event->type() != QEvent::Move && event->type() != QEvent::Show) ||
        window->windowHandle() == nullptr || window->windowHandle()->frameMargins().isNull()) {
      return false;
    }
    window->removeEventFilter(this);
    if (window->windowHandle()->frameMargins() != expected_) CentreOnScreen(window);
    deleteLater();
    return false;
  }

 private:
  QMargins expected_;
};

}  // namespace placement_detail

// Brings a window forward: out of the minimised state, shown (centred on its screen the first
// time only, later showings keeping the place it last had), raised and active.
inline void BringForward(QWidget* window, bool& shownOnce) {
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  const bool first = !std::exchange(shownOnce, true);
  const QMargins expected = first ? CentreOnScreen(window) : QMargins();
  window->show();
  if (first) new placement_detail::RecentreWhenFramed(window, expected);
  // The offscreen platform (the screenshot's) has no windows to stack, and says so on stderr.
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) window->raise();
  window->activateWindow();
  // The window system activates it later; the program counts it active at once, so that a
  // box shown next (an error about what brought it forward) stands over this window.
  QApplication::setActiveWindow(window);
}

}  // namespace dorvane
