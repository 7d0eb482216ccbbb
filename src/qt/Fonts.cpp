#include "qt/Fonts.h"

#include "gfx/Canvas.h"
#include "qt/QtCanvas.h"

namespace dorvane {

QFont FormFont() {
  return ToQFont(Font());
}

}  // namespace dorvane
