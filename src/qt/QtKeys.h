// Qt's keys and modifiers as the controls and forms know them (Qt hosts only).
#pragma once

#include <QKeyEvent>

#include <cstdint>

#include "gfx/Keys.h"

namespace dorvane {

inline TShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  return shift;
}

// The virtual key of a Qt key; 0 for a key none of ours reacts to.
inline std::uint16_t VirtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    default:
      break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
    return static_cast<std::uint16_t>(VK_F1 + (key - Qt::Key_F1));
  }
  return 0;
}

}  // namespace dorvane
