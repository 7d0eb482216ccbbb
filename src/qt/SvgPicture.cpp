#include "qt/SvgPicture.h"

#include <QPainter>

namespace dorvane {

SvgPicture::SvgPicture(const QString& file, QWidget* parent) : QWidget(parent), renderer_(file) {
  if (renderer_.isValid()) resize(renderer_.defaultSize());
}

void SvgPicture::paintEvent(QPaintEvent*) {
  if (!renderer_.isValid()) return;
  QPainter painter(this);
  renderer_.render(&painter, QRectF(rect()));
}

}  // namespace dorvane
