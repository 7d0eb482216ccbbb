#pragma once

#include <functional>
#include <memory>

#include "gfx/Canvas.h"
#include "gfx/Rect.h"

namespace dorvane {

// Identifies a top-level window of the platform; null is none.
using WindowHandle = const void*;

// What a windowless label asks of the platform control that hosts it.
class LabelHost {
 public:
  virtual ~LabelHost() = default;

  // Ask for the label to be painted again.
  virtual void Invalidate() = 0;
  // The label's bounds in its parent's coordinates, as the platform holds them.
  virtual Rect Bounds() const = 0;
  virtual void SetBounds(const Rect& bounds) = 0;

  virtual bool IsEnabled() const = 0;
  virtual bool IsVisible() const = 0;
  virtual bool UseRightToLeftAlignment() const = 0;
  virtual bool UseRightToLeftReading() const = 0;

  // The pointer position, in screen coordinates.
  virtual Point CursorPos() const = 0;
  // Whether the topmost control at a screen point, disabled ones included, is this label.
  virtual bool IsTopmostControlAt(Point screen) const = 0;
  // The active window, or null when the program has none.
  virtual WindowHandle ActiveWindow() const = 0;
  // Visits the top-level windows of the calling thread until visit returns false.
  virtual void EnumThreadWindows(const std::function<bool(WindowHandle)>& visit) const = 0;

  // A canvas on the screen for measuring, released when the pointer goes.
  virtual std::unique_ptr<Canvas> BorrowScreenCanvas() = 0;

  // What the label takes while its ParentFont and ParentColor are on.
  virtual Font ParentFont() const = 0;
  virtual TColor ParentColor() const = 0;

  // The label's opaque flag changed: it now paints every pixel itself, or no longer does.
  virtual void OpaqueChanged(bool opaque) = 0;
  // The caption, ShowAccelChar or FocusControl changed: the accelerator may be another one.
  virtual void AcceleratorChanged() = 0;
};

}  // namespace dorvane
