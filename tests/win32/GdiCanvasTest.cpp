// The canvas suite on GdiCanvas, drawing on a DIB section at scale / 100 of 96 dpi.
#include "win32/GdiCanvas.h"

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
  {
    win32::GdiCanvas canvas(dc, dpi);
    canvas.SetBrush({kPaper});
    canvas.FillRect({0, 0, width, height});
    draw(canvas);
  }
  ::GdiFlush();
  // The DIB holds 0x00RRGGBB.
  for (int i = 0; i < picture.width * picture.height; ++i) {
    const std::uint32_t p = static_cast<const std::uint32_t*>(bits)[i];
    picture.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return picture;
}

}  // namespace dorvane::testing
