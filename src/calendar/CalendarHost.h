#pragma once

#include "gfx/Rect.h"

namespace dorvane {

// What a grid control asks of the window that hosts it. Coordinates are the window's pixels, the
// border the host draws included. Each front end's grid window implements it; tests use a
// fake.
class CalendarHost {
 public:
  virtual ~CalendarHost() = default;

  virtual void InvalidateAll() = 0;
  virtual void InvalidateRect(const Rect& rect) = 0;
  // The border around the client area changed width: the host sends a new size notice.
  virtual void BorderChanged() = 0;

  // Gives the control the keyboard focus.
  virtual void SetFocus() = 0;
  // Whether the control is its window's active control (the window's focus widget), also while
  // the window itself is inactive.
  virtual bool IsActiveControl() const = 0;

  // Every pointer event of a press goes to the control until its release. A toolkit that
  // routes them so anyway leaves these alone.
  virtual void CapturePointer() {}
  virtual void ReleasePointer() {}

  // A repeating timer whose ticks the host hands back to the control.
  virtual void StartRepeatTimer(int milliseconds) = 0;
  virtual void StopRepeatTimer() = 0;

  // The current cell moved, or now shows another date: screen readers are told of the cell
  // the user is on. A host without them does nothing.
  virtual void CurrentCellChanged() {}
};

}  // namespace dorvane
