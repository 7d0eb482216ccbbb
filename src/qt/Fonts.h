#pragma once

namespace dorvane {

// The desktop's font (the application's before the windows' own replaces it): its character
// height in logical pixels, those of a 96-dpi screen, a larger font dpi (QT_FONT_DPI, X11's
// Xft.dpi) counted in.
double DesktopFontPixels();

}  // namespace dorvane
