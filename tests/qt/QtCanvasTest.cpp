// The canvas suite on QtCanvas, drawing on a QImage at a device pixel ratio of scale / 100.
#include "qt/QtCanvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "CanvasSuite.h"
#include "qt/QtKeys.h"

namespace dorvane {
namespace testing {

Picture PaintCanvas(int width, int height, int scale, const std::function<void(Canvas&)>& draw) {
  QImage image(width * scale / 100, height * scale / 100, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale / 100.0);
  image.fill(QColor(RedOf(kPaper), GreenOf(kPaper), BlueOf(kPaper)));
  {
    QPainter painter(&image);
    QtCanvas canvas(painter, QGuiApplication::palette());
    draw(canvas);
  }
  Picture picture{image.width(), image.height(), {}};
  for (int i = 0; i < image.width() * image.height(); ++i) {
    picture.pixels.push_back(PlainColor(image.pixelColor(i % image.width(), i / image.width())));
  }
  return picture;
}

}  // namespace testing

namespace {

// One rule for every Qt host: only the left button clicks; side and extra buttons do not.
TEST(QtMouseButton, ButtonsOtherThanLeftAndRightAreTheMiddleOne) {
  EXPECT_EQ(MouseButtonOf(Qt::LeftButton), TMouseButton::mbLeft);
  EXPECT_EQ(MouseButtonOf(Qt::RightButton), TMouseButton::mbRight);
  for (const Qt::MouseButton other :
       {Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton, Qt::ExtraButton4, Qt::NoButton}) {
    EXPECT_EQ(MouseButtonOf(other), TMouseButton::mbMiddle) << other;
  }
}

}  // namespace
}  // namespace dorvane
