#include "qt/Fonts.h"

#include <QGuiApplication>
#include <QScreen>

#include "gfx/Canvas.h"
#include "qt/QtCanvas.h"

namespace dorvane {

QFont FormFont() {
  return ToQFont(Font());
}

double DesktopFontPixels() {
  const QFont font = QGuiApplication::font();
  if (font.pixelSize() > 0) return font.pixelSize();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  return font.pointSizeF() * dpi / 72.0;
}

}  // namespace dorvane
