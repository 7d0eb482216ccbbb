#include "qt/LineWidget.h"

#include <QPainter>
#include <algorithm>

#include "qt/QtCanvas.h"

namespace dorvane {

LineWidget::LineWidget(QWidget* parent) : QWidget(parent), line_(*this) {
  setFocusPolicy(Qt::NoFocus);
}

LineWidget::~LineWidget() = default;

QSize LineWidget::sizeHint() const {
  return size();
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(painter, palette());
  painting_ = true;
  line_.Paint(canvas);
  painting_ = false;
  if (pending_) {
    // Resizing from inside a paint event is not safe; do it once this one is over.
    QMetaObject::invokeMethod(this, &LineWidget::ApplyPendingBounds, Qt::QueuedConnection);
  }
}

void LineWidget::Invalidate() {
  update();
}

Rect LineWidget::Bounds() const {
  if (pending_) return *pending_;
  const QRect g = geometry();
  return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void LineWidget::SetBounds(const Rect& bounds) {
  pending_ = bounds;
  if (!painting_) ApplyPendingBounds();
}

void LineWidget::ApplyPendingBounds() {
  if (!pending_) return;
  const Rect r = *pending_;
  pending_.reset();
  setGeometry(r.Left, r.Top, std::clamp(r.Width(), 0, QWIDGETSIZE_MAX),
              std::clamp(r.Height(), 0, QWIDGETSIZE_MAX));
}

}  // namespace dorvane
