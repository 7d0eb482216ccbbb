#pragma once

#include "gfx/Keys.h"
#include "gfx/Rect.h"

namespace dorvane {

// The mouse button of a press or release, as the controls receive it from their host.
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A pointer event as a host hands it to a control: a button's press (the second one of a
// double click is kDoubleClick), its release, or a move; with the modifier keys held and the
// point in the control's window.
struct MouseEvent {
  enum Action { kPress, kDoubleClick, kRelease, kMove } action = kMove;
  TMouseButton button = TMouseButton::mbMiddle;
  TShiftState shift = 0;
  Point at;
};

}  // namespace dorvane
