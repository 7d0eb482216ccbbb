#pragma once

#include <cstdint>
#include <optional>

#include "gfx/Canvas.h"
#include "gfx/GraphicsObjects.h"
#include "gfx/Rect.h"

namespace dorvane {

enum TLineType {
  ltCustom,
  ltHorizontal,
  ltVertical,
  ltTop,
  ltBottom,
  ltLeft,
  ltRight,
  ltUpDiagonal,
  ltDownDiagonal
};

class TLine;

// What a line control asks of the platform control hosting it.
class LineHost {
 public:
  virtual ~LineHost() = default;
  virtual void Invalidate() = 0;
  // The control's bounds in its parent's coordinates, as the platform holds them.
  virtual Rect Bounds() const = 0;
  virtual void SetBounds(const Rect& bounds) = 0;
  // The line gave itself new bounds while painting, when no platform lets a control move: the
  // host has it apply them (ApplyPendingBounds) once the paint is over; by default at once.
  virtual void BoundsPending(TLine& line);
};

// A windowless control drawing one straight line with its pen: between two points of its
// own (ltCustom) or along a figure of its size. The horizontal and vertical figures make the
// control ten pen widths thick. It fills no background.
class TLine {
 public:
  explicit TLine(LineHost& host);
  TLine(const TLine&) = delete;
  TLine& operator=(const TLine&) = delete;

  TPen& Pen() { return pen_; }
  const TPen& Pen() const { return pen_; }
  void SetPen(const dorvane::Pen& pen) { pen_.Assign(pen); }
  TBrush& Brush() { return brush_; }
  const TBrush& Brush() const { return brush_; }
  void SetBrush(const dorvane::Brush& brush) { brush_.Assign(brush); }

  // Honoured only while Line is ltCustom; otherwise the paint owns them.
  int FromX() const { return fromX_; }
  void SetFromX(int value);
  int FromY() const { return fromY_; }
  void SetFromY(int value);
  int ToX() const { return toX_; }
  void SetToX(int value);
  int ToY() const { return toY_; }
  void SetToY(int value);

  TLineType Line() const { return line_; }
  void SetLine(TLineType value);

  int Left() const { return Bounds().Left; }
  int Top() const { return Bounds().Top; }
  int Width() const { return Bounds().Width(); }
  int Height() const { return Bounds().Height(); }
  // Bounds set while painting wait for ApplyPendingBounds.
  void SetBounds(int left, int top, int width, int height);
  void ApplyPendingBounds();
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

  // The pen or the brush changed: repaint.
  void StyleChanged();
  void Paint(Canvas& canvas);

 private:
  bool SetCoordinate(int& field, int value);
  int Thickness() const;
  Rect Bounds() const { return pending_ ? *pending_ : host_.Bounds(); }

  LineHost& host_;
  TLineType line_ = ltCustom;
  TPen pen_;
  TBrush brush_;
  int fromX_ = 0;
  int toX_ = 0;
  int fromY_ = 0;
  int toY_ = 0;
  bool painting_ = false;
  std::optional<Rect> pending_;
};

}  // namespace dorvane
