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

// What a front end's canvas draws on a fresh image of kPaper, `width` x `height` pixels at
// `scale` percent; each front end's canvas test defines it for CanvasSuite.cpp.
Picture PaintCanvas(int width, int height, int scale, const std::function<void(Canvas&)>& draw);

}  // namespace dorvane::testing
