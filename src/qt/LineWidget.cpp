#include "qt/LineWidget.h"

#include <QPainter>
#include <algorithm>

#include "qt/QtCanvas.h"

namespace dorvane {

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(painter, palette());
  line_.Paint(canvas);
}

Rect WidgetBounds(const QWidget& widget) {
  const QRect g = widget.geometry();
  return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void SetWidgetBounds(QWidget& widget, const Rect& bounds) {
  widget.setGeometry(bounds.Left, bounds.Top, std::clamp(bounds.Width(), 0, QWIDGETSIZE_MAX),
                     std::clamp(bounds.Height(), 0, QWIDGETSIZE_MAX));
}

}  // namespace dorvane
