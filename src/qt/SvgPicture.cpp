#include "qt/SvgPicture.h"

#include <QImage>
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
  // last column carried on to the right edge, both from one rendering at the device's pixels.
  const qreal ratio = devicePixelRatioF();
  QImage picture((own * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  {
    QPainter into(&picture);
    renderer_.render(&into, QRectF(QPointF(), picture.size()));
  }
  painter.drawImage(QRectF(QPointF(), own), picture);
  painter.drawImage(QRectF(own.width(), 0, width() - own.width(), own.height()), picture,
                    QRectF(picture.width() - 1, 0, 1, picture.height()));
}

}  // namespace dorvane
