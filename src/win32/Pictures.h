#pragma once

#include "win32/Win32.h"

#include <string_view>

namespace dorvane::win32 {

// A picture of the layout tables by its table name ("about-banner", the tool bar's "an-avant" as in
// TForm1::kLayout.images...), made at build time from resources/*.svg and linked into the
// executable, for drawing at `dpi`: a 32-bit top-down DIB section with premultiplied alpha (ready
// for AlphaBlend), at the size the picture has at 96 dpi scaled to `dpi` (MulDiv(size, dpi, 96)).
// It comes from the SVG rendered at 100, 150 or 200 %: the prepared scale that matches, else the
// smallest one above (averaged down, which keeps edges crisp), else 200 %. Null when the executable
// has no picture of that name, or for a dpi below 1. The caller owns it (DeleteObject).
HBITMAP LoadPicture(std::string_view name, int dpi);

// A memory DC holding a 32-bit top-down DIB section, kept between uses and grown as needed: the
// bitmap for painting off screen. Making one, and selecting it, costs far less than a bitmap
// compatible with a window's DC (under Wine, a call to the server each).
class BufferDc {
 public:
  BufferDc() = default;
  ~BufferDc();
  BufferDc(const BufferDc&) = delete;
  BufferDc& operator=(const BufferDc&) = delete;

  // Holds a buffer of at least that size: the one it has when it is large enough, else a new
  // one, which keeps the larger of each side. False when it cannot, the buffer it had kept.
  bool Hold(int width, int height);

  HDC Dc() const { return dc_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP buffer_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// A window icon by its table name ("dorvane", "recherche"; empty: the program's), at a size
// in device pixels (e.g. GetSystemMetricsForDpi(SM_CXSMICON)), from the multi-size icon
// resource (16, 20, 24, 32, 40, 48, 64 and 256 pixels). Null when there is no such icon. The
// caller owns it (DestroyIcon).
HICON LoadWindowIcon(std::string_view name, int size);

}  // namespace dorvane::win32
