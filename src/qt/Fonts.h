#pragma once

#include <QFont>

namespace dorvane {

// The windows' font: "MS Sans Serif", 11-pixel characters, or where the system lacks it its
// scalable, metric-compatible stand-in (see ToQFont). Debian's fonts-wine has a font of that
// name, but only as bitmaps of 13, 16 and 20 pixels: without bold and broken at any scale
// other than 1, so it is not registered.
QFont FormFont();

// The desktop's font (the application's before FormFont replaces it): its character height in
// logical pixels, those of a 96-dpi screen, a larger font dpi (QT_FONT_DPI, X11's Xft.dpi)
// counted in.
double DesktopFontPixels();

}  // namespace dorvane
