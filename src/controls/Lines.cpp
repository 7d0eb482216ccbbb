#include "controls/Lines.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace dorvane {

namespace {

// One more than the farther of two coordinates, kept small enough that origin + extent
// still fits in an int.
int Extent(int a, int b, int origin) {
  const std::int64_t limit =
      std::int64_t{std::numeric_limits<int>::max()} - std::max<std::int64_t>(0, origin);
  return static_cast<int>(std::min<std::int64_t>(std::int64_t{std::max(a, b)} + 1, limit));
}

}  // namespace

TLine::TLine(LineHost& host) : host_(host) {
  pen_.SetOnChange([this] { StyleChanged(); });
  brush_.SetOnChange([this] { StyleChanged(); });
  SetBounds(Left(), Top(), 65, 65);
  SetFromX(0);
  SetFromY(0);
  SetToX(35);
  SetToY(35);
}

bool TLine::SetCoordinate(int& field, int value) {
  if (line_ != ltCustom) return false;
  field = value;
  host_.Invalidate();
  return true;
}

void TLine::SetFromX(int value) {
  SetCoordinate(fromX_, value);
}
void TLine::SetFromY(int value) {
  SetCoordinate(fromY_, value);
}
void TLine::SetToX(int value) {
  SetCoordinate(toX_, value);
}
void TLine::SetToY(int value) {
  SetCoordinate(toY_, value);
}

void TLine::SetLine(TLineType value) {
  if (value == line_) return;
  if (value != ltCustom) {
    const int width = Width();
    const int height = Height();
    if (line_ == ltHorizontal) {
      switch (value) {
        case ltVertical:
          SetBounds(Left(), Top(), height, width);
          break;
        case ltTop:
        case ltBottom:
        case ltUpDiagonal:
        case ltDownDiagonal:
          SetHeight(65);
          break;
        case ltLeft:
        case ltRight:
          SetHeight(width);
          SetWidth(65);
          break;
        default:
          break;
      }
    } else if (line_ == ltVertical) {
      switch (value) {
        case ltHorizontal:
          SetBounds(Left(), Top(), height, width);
          break;
        case ltTop:
        case ltBottom:
          SetWidth(height);
          SetHeight(65);
          break;
        case ltLeft:
        case ltRight:
        case ltUpDiagonal:
        case ltDownDiagonal:
          SetWidth(65);
          break;
        default:
          break;
      }
    }
  }
  line_ = value;
  host_.Invalidate();
}

void LineHost::BoundsPending(TLine& line) {
  line.ApplyPendingBounds();
}

void TLine::SetBounds(int left, int top, int width, int height) {
  const Rect bounds{left, top, left + width, top + height};
  if (bounds == Bounds()) return;
  pending_ = bounds;
  if (!painting_) ApplyPendingBounds();
}

void TLine::ApplyPendingBounds() {
  if (!pending_) return;
  const Rect bounds = *pending_;
  pending_.reset();
  host_.SetBounds(bounds);
  host_.Invalidate();
}

void TLine::StyleChanged() {
  host_.Invalidate();
}

// A pen narrower than one pixel still draws one pixel, and the figure stays that thick.
int TLine::Thickness() const {
  const std::int64_t thickness = 10 * static_cast<std::int64_t>(std::max(1, pen_.Width()));
  return static_cast<int>(std::min<std::int64_t>(thickness, std::numeric_limits<int>::max()));
}

void TLine::Paint(Canvas& canvas) {
  painting_ = true;
  canvas.SetPen(pen_.Get());
  canvas.SetBrush(brush_.Get());
  const int a = Width() - 1;
  const int b = Height() - 1;
  const auto set = [this](int fx, int fy, int tx, int ty) {
    fromX_ = fx;
    fromY_ = fy;
    toX_ = tx;
    toY_ = ty;
  };
  switch (line_) {
    case ltCustom:
      if (toX_ < 0) toX_ = 0;
      if (fromX_ < 0) fromX_ = 0;
      if (a < toX_ || a < fromX_) SetWidth(Extent(toX_, fromX_, Left()));
      if (toY_ < 0) toY_ = 0;
      if (fromY_ < 0) fromY_ = 0;
      if (b < toY_ || b < fromY_) SetHeight(Extent(toY_, fromY_, Top()));
      break;
    case ltHorizontal:
      set(0, b / 2, a, b / 2);
      SetHeight(Thickness());
      break;
    case ltVertical:
      set(a / 2, 0, a / 2, b);
      SetWidth(Thickness());
      break;
    case ltTop:
      set(0, 0, a, 0);
      break;
    case ltBottom:
      set(0, b, a, b);
      break;
    case ltLeft:
      set(0, 0, 0, b);
      break;
    case ltRight:
      set(a, 0, a, b);
      break;
    case ltUpDiagonal:
      set(0, b, a, 0);
      break;
    case ltDownDiagonal:
      set(0, 0, a, b);
      break;
  }
  canvas.MoveTo(fromX_, fromY_);
  canvas.LineTo(toX_, toY_);
  painting_ = false;
  if (pending_) host_.BoundsPending(*this);
}

}  // namespace dorvane
