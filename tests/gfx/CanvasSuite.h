#pragma once

#include <functional>
#include <vector>

#include "gfx/Canvas.h"

namespace dorvane::testing {

inline constexpr TColor kPaper = RGB(250, 240, 200);

// Device pixels as plain RGB, row by row.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<TColor> pixels;
  TColor At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// What one front end's canvas draws on a fresh image of kPaper, `width` x `height` pixels at
// `scale` percent (QtCanvas on a QImage at that device pixel ratio, GdiCanvas on a DIB section
// at that share of 96 dpi). Each front end's canvas test defines it; CanvasSuite.cpp runs on it.
Picture PaintCanvas(int width, int height, int scale, const std::function<void(Canvas&)>& draw);

}  // namespace dorvane::testing
