#pragma once

#include "win32/Win32.h"

#include <memory>

#include "gfx/Canvas.h"

namespace dorvane::win32 {

// Device pixels of a length or coordinate of 96-dpi pixels at `dpi`: MulDiv(v, dpi, 96). Every
// edge is scaled on its own, so that neighbouring rectangles stay neighbours at any dpi.
int ToDevice(int v, int dpi);
RECT ToDevice(const Rect& r, int dpi);
// The 96-dpi coordinate whose device pixel run holds device pixel `d` (a pointer position).
int PixelToDips(int d, int dpi);
// The 96-dpi coordinate of a device edge or length made by ToDevice (rounded back).
int ToDips(int d, int dpi);
Rect ToDips(const RECT& r, int dpi);

// Whether the system asks for high contrast: its high-contrast setting, or a scheme whose button
// faces are darker than their text, by the rule both front ends share.
bool SystemHighContrast();

// A colour as GDI takes it: a system colour (clBtnFace…) is the system's current one.
COLORREF ColorRef(TColor color);

// The font of a Font description at a dpi, its height scaled (a bitmap-only "MS Sans Serif"
// gives way to its scalable successor), cached: the handles live as long as the process. The
// windows use it for their standard controls too (WM_SETFONT).
HFONT FontHandle(const Font& font, int dpi);

// The Canvas on a GDI device context. Coordinates and font heights are 96-dpi pixels, drawn at
// `dpi` (96: one to one). Restores the DC's selections when it goes.
//
// Every coordinate is scaled by ToDevice (MM_TEXT stays the mapping mode): text is drawn by
// DrawTextW and ExtTextOutW with fonts made at the device size, so it stays crisp; fills,
// straight solid pen runs and the strips of an edge cover exactly the device pixels of
// their 96-dpi pixels, so that lines and cells meet without gaps at 125, 150 or 200 %. Other
// pen lines (dashes, diagonals) are GDI pens of the scaled width. Measures come back rounded
// up to whole 96-dpi pixels, so that a box made from them never cuts its text.
class GdiCanvas final : public StatefulCanvas {
 public:
  GdiCanvas(HDC dc, int dpi);
  ~GdiCanvas() override;

  // A canvas on the screen (for measuring), which releases the screen's DC when it goes.
  static std::unique_ptr<GdiCanvas> OnScreen(int dpi);

  // Where the canvas's (0, 0) lies, in 96-dpi pixels of the device context: a control's client
  // area inside the border its window draws. Scaling applies to the sum, so that the two
  // stay on the same device pixels as the window's own coordinates.
  void SetOrigin(Point origin) { origin_ = origin; }

  HDC Dc() const { return dc_; }
  int Dpi() const { return dpi_; }

  void FillRect(const Rect& rect) override;
  int DrawText(std::string_view text, Rect& rect, std::uint32_t flags) override;
  Size TextExtent(std::string_view text) override;
  void TextRect(const Rect& rect, int x, int y, std::string_view text) override;
  void DrawFocusRect(const Rect& rect) override;
  TColor ColorToRGB(TColor color) override;

 private:
  int X(int x) const { return ToDevice(origin_.x + x, dpi_); }
  int Y(int y) const { return ToDevice(origin_.y + y, dpi_); }
  RECT Device(const Rect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
  void UseFont(const Font& font) override { ::SelectObject(dc_, FontHandle(font, dpi_)); }
  void Fill(const Rect& rect, TColor color, TPenMode mode) override;
  void DrawLine(Point from, Point to) override;
  void BackgroundFromBrush();

  HDC dc_;
  int dpi_;
  int saved_;
  HDC release_ = nullptr;  // the screen DC OnScreen borrowed
  Point origin_;
};

}  // namespace dorvane::win32
