// The canvas suite (tests/gfx/CanvasSuite.cpp) on QtCanvas, drawing on a QImage at a device
// pixel ratio of scale / 100; and the conversions only the Qt front end has.
#include "qt/QtCanvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "CanvasSuite.h"
#include "qt/QtMouseButton.h"

namespace dorvane {
namespace testing {

Picture PaintCanvas(int width, int height, int scale, const std::function<void(Canvas&)>& draw) {
  const qreal ratio = scale / 100.0;
  QImage image(static_cast<int>(std::ceil(width * ratio)),
               static_cast<int>(std::ceil(height * ratio)), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(QColor(RedOf(kPaper), GreenOf(kPaper), BlueOf(kPaper)));
  {
    QPainter painter(&image);
    QtCanvas canvas(painter, QGuiApplication::palette());
    draw(canvas);
  }
  Picture picture{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      picture.pixels.push_back(PlainColor(image.pixelColor(x, y)));
  }
  return picture;
}

}  // namespace testing

namespace {

TEST(QtCanvas, FontsComeBackInPixels) {
  EXPECT_EQ(FromQFont(ToQFont(Font{"DejaVu Sans", -13}), 96).Height, -13);
  QFont points("DejaVu Sans");
  points.setPointSize(9);
  EXPECT_EQ(FromQFont(points, 96).Height, -12);
  EXPECT_EQ(FromQFont(points, 144).Height, -18);
}

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
