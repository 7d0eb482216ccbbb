#include "qt/SvgPicture.h"

#include <QPainter>

namespace dorvane {

SvgPicture::SvgPicture(const QString& file, QWidget* parent) : QWidget(parent), renderer_(file) {
  if (renderer_.isValid()) resize(renderer_.defaultSize());
}

void SvgPicture::paintEvent(QPaintEvent*) {
  if (!renderer_.isValid()) return;
  QPainter painter(this);
  const QSizeF own = renderer_.defaultSize();
  if (width() <= own.width()) {
    renderer_.render(&painter, QRectF(rect()));
    return;
  }
  // Widened beyond its picture (the About dialog's banner): the picture at its own width, its
  // last column carried on to the right edge.
  const QRectF picture(0, 0, own.width(), height());
  renderer_.render(&painter, picture);
  const QRectF view = renderer_.viewBoxF();
  const qreal column = view.width() / own.width();
  renderer_.setViewBox(QRectF(view.right() - column, view.top(), column, view.height()));
  renderer_.render(&painter, QRectF(own.width(), 0, width() - own.width(), height()));
  renderer_.setViewBox(view);
}

}  // namespace dorvane
