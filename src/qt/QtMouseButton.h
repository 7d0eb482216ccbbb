// Qt's mouse buttons as the controls know them (Qt hosts only).
#pragma once

#include <Qt>

#include "gfx/MouseButton.h"

namespace dorvane {

// Left and right are themselves; every other button (middle, back, forward, the extra ones) is
// the middle button, which clicks nothing in any control.
inline TMouseButton MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return TMouseButton::mbLeft;
    case Qt::RightButton:
      return TMouseButton::mbRight;
    default:
      return TMouseButton::mbMiddle;
  }
}

}  // namespace dorvane
