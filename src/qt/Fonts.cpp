#include "qt/Fonts.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

namespace dorvane {

double DesktopFontPixels() {
  const QFont font = QGuiApplication::font();
  if (font.pixelSize() > 0) return font.pixelSize();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  return font.pointSizeF() * dpi / 72.0;
}

}  // namespace dorvane
