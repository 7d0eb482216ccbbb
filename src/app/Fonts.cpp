#include "app/Fonts.h"

#include "gfx/Canvas.h"
#include "gfx/QtCanvas.h"

namespace dorvane {

QFont FormFont() { return ToQFont(Font()); }

}  // namespace dorvane
