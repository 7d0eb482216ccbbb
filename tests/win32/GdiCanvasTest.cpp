// The canvas suite (tests/gfx/CanvasSuite.cpp) on GdiCanvas, drawing on a DIB section at
// scale / 100 of 96 dpi.
#include "win32/GdiCanvas.h"

#include <algorithm>

#include "CanvasSuite.h"

namespace dorvane::testing {

Picture PaintCanvas(int width, int height, int scale, const std::function<void(Canvas&)>& draw) {
  const int dpi = 96 * scale / 100;
  Picture picture{win32::ToDevice(width, dpi), win32::ToDevice(height, dpi), {}};
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  auto* bgrx = static_cast<std::uint32_t*>(bits);
  const std::size_t count = static_cast<std::size_t>(picture.width * picture.height);
  // 0x00BBGGRR and the DIB's 0x00RRGGBB are each other's mirror.
  const auto swap = [](std::uint32_t p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
  };
  std::fill(bgrx, bgrx + count, swap(kPaper));
  {
    win32::GdiCanvas canvas(dc, dpi);
    draw(canvas);
  }
  ::GdiFlush();
  for (std::size_t i = 0; i < count; ++i) picture.pixels.push_back(swap(bgrx[i]) & 0xFFFFFF);
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return picture;
}

}  // namespace dorvane::testing
