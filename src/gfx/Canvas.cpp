#include "gfx/Canvas.h"

#include <algorithm>
#include <cstdlib>

#include "gfx/TextFlags.h"

namespace dorvane {

bool DrawsSolid(const Pen& pen) {
  return pen.Width > 1 || pen.Style == TPenStyle::psSolid || pen.Style == TPenStyle::psInsideFrame;
}

std::optional<Rect> SolidRun(Point from, Point to, const Pen& pen) {
  if (!DrawsSolid(pen) || (from.x != to.x && from.y != to.y)) return std::nullopt;
  const int width = std::max(1, pen.Width);
  const int half = width / 2;
  if (from.y == to.y) {
    const int left = from.x < to.x ? from.x : to.x + 1;
    return Rect{left, from.y - half, left + std::abs(to.x - from.x), from.y - half + width};
  }
  const int top = from.y < to.y ? from.y : to.y + 1;
  return Rect{from.x - half, top, from.x - half + width, top + std::abs(to.y - from.y)};
}

std::vector<EdgeStrip> EdgeStrips(Rect rect, std::uint32_t edge, std::uint32_t sides) {
  std::vector<EdgeStrip> strips;
  const auto ring = [&](TColor light, TColor dark) {
    const Rect r = rect;
    if (sides & BF_TOP) strips.push_back({{r.Left, r.Top, r.Right, r.Top + 1}, light});
    if (sides & BF_LEFT) strips.push_back({{r.Left, r.Top, r.Left + 1, r.Bottom}, light});
    if (sides & BF_BOTTOM) strips.push_back({{r.Left, r.Bottom - 1, r.Right, r.Bottom}, dark});
    if (sides & BF_RIGHT) strips.push_back({{r.Right - 1, r.Top, r.Right, r.Bottom}, dark});
    if (sides & BF_LEFT) ++rect.Left;
    if (sides & BF_TOP) ++rect.Top;
    if (sides & BF_RIGHT) --rect.Right;
    if (sides & BF_BOTTOM) --rect.Bottom;
  };
  if (edge & BDR_RAISEDOUTER) {
    ring(cl3DLight, cl3DDkShadow);
  } else if (edge & BDR_SUNKENOUTER) {
    ring(clBtnShadow, clBtnHighlight);
  }
  if (edge & BDR_RAISEDINNER) {
    ring(clBtnHighlight, clBtnShadow);
  } else if (edge & BDR_SUNKENINNER) {
    ring(cl3DDkShadow, cl3DLight);
  }
  return strips;
}

void StatefulCanvas::DrawSegment(Point from, Point to) {
  if (pen_.Style == TPenStyle::psClear || from == to) return;
  if (const std::optional<Rect> run = SolidRun(from, to, pen_)) {
    Fill(*run, pen_.Color, pen_.Mode);
  } else {
    DrawLine(from, to);
  }
}

}  // namespace dorvane
