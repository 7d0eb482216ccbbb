#include "win32/GdiCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>

#include "gfx/TextFlags.h"
#include "platform/win32/Wide.h"
#include "text/Ascii.h"

namespace dorvane::win32 {

namespace {

// The smallest 96-dpi coordinate whose device coordinate is at or after `d`.
int CeilToDips(int d, int dpi) {
  int v = ::MulDiv(d, 96, dpi);
  while (ToDevice(v, dpi) < d) ++v;
  while (ToDevice(v - 1, dpi) >= d) --v;
  return v;
}

// ---- Fonts ----

int CALLBACK NoteScalableFace(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  if ((type & RASTER_FONTTYPE) == 0) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
  }
  return 1;
}

bool HasScalableFace(const std::wstring& face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  face.copy(query.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(screen, &query, NoteScalableFace, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

// The face to ask the font mapper for. "MS Sans Serif" is a set of bitmaps on most systems,
// which would neither scale with the dpi nor stay crisp: its scalable successor of the same
// design takes its place where the system has it. Any other face goes as named, and the
// mapper picks the system's nearest where it lacks it.
const std::wstring& FaceFor(const std::string& name) {
  static std::map<std::string, std::wstring> faces;  // UI thread only
  const auto found = faces.find(name);
  if (found != faces.end()) return found->second;
  std::wstring face = platform::Wide(name);
  if (EqualsNoCase(name, "MS Sans Serif") && !HasScalableFace(face) &&
      HasScalableFace(L"Microsoft Sans Serif")) {
    face = L"Microsoft Sans Serif";
  }
  return faces.emplace(name, std::move(face)).first->second;
}

}  // namespace

int ToDevice(int v, int dpi) {
  return dpi == 96 ? v : ::MulDiv(v, dpi, 96);
}

RECT ToDevice(const Rect& r, int dpi) {
  return {ToDevice(r.Left, dpi), ToDevice(r.Top, dpi), ToDevice(r.Right, dpi),
          ToDevice(r.Bottom, dpi)};
}

int PixelToDips(int d, int dpi) {
  if (dpi == 96) return d;
  int v = ::MulDiv(d, 96, dpi);
  while (ToDevice(v, dpi) > d) --v;
  while (ToDevice(v + 1, dpi) <= d) ++v;
  return v;
}

int ToDips(int d, int dpi) {
  return dpi == 96 ? d : ::MulDiv(d, 96, dpi);
}

Rect ToDips(const RECT& r, int dpi) {
  return {ToDips(r.left, dpi), ToDips(r.top, dpi), ToDips(r.right, dpi), ToDips(r.bottom, dpi)};
}

HFONT FontHandle(const Font& font, int dpi) {
  using Key = std::tuple<std::string, int, bool, bool, bool, bool, int>;
  static std::map<Key, HFONT> cache;  // UI thread only; the fonts live as long as the process
  Key key{font.Name, font.Height, font.Bold, font.Italic, font.Underline, font.StrikeOut, dpi};
  const auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  LOGFONTW lf{};
  lf.lfHeight = ToDevice(font.Height, dpi);
  lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Italic ? TRUE : FALSE;
  lf.lfUnderline = font.Underline ? TRUE : FALSE;
  lf.lfStrikeOut = font.StrikeOut ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  FaceFor(font.Name).copy(lf.lfFaceName, LF_FACESIZE - 1);
  HFONT handle = ::CreateFontIndirectW(&lf);
  if (handle == nullptr) handle = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  cache.emplace(std::move(key), handle);
  return handle;
}

// ---- GdiCanvas ----

bool SystemHighContrast() {
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof setting;
  const bool on = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
                  (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
  return AsksForHighContrast(on, ::GetSysColor(COLOR_BTNFACE) & 0x00FFFFFFu,
                             ::GetSysColor(COLOR_BTNTEXT) & 0x00FFFFFFu);
}

GdiCanvas::GdiCanvas(HDC dc, int dpi)
    : StatefulCanvas(SystemHighContrast()),
      dc_(dc),
      dpi_(dpi > 0 ? dpi : 96),
      saved_(::SaveDC(dc)) {
  ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::SelectObject(dc_, FontHandle(font_, dpi_));
  ::SelectObject(dc_, ::GetStockObject(DC_BRUSH));
}

GdiCanvas::~GdiCanvas() {
  ::RestoreDC(dc_, saved_);
  if (release_ != nullptr) ::ReleaseDC(nullptr, release_);
}

std::unique_ptr<GdiCanvas> GdiCanvas::OnScreen(int dpi) {
  HDC screen = ::GetDC(nullptr);
  auto canvas = std::make_unique<GdiCanvas>(screen, dpi);
  canvas->release_ = screen;
  return canvas;
}

RECT GdiCanvas::Device(const Rect& r) const {
  return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)};
}

int GdiCanvas::DipsRightOf(int d, int origin) const {
  return CeilToDips(d, dpi_) - origin;
}

void GdiCanvas::UseFont(const Font& font) {
  ::SelectObject(dc_, FontHandle(font, dpi_));
}

TColor GdiCanvas::ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return ::GetSysColor(SystemColorIndex(color)) & 0x00FFFFFFu;
  return color & 0x00FFFFFFu;
}

void GdiCanvas::FillDevice(const RECT& r, COLORREF color, DWORD rop) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  ::SetDCBrushColor(dc_, color);
  ::PatBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, rop);
}

void GdiCanvas::FillRect(const Rect& rect) {
  if (rect.IsEmpty() || brush_.Style == TBrushStyle::bsClear) return;
  const RECT r = Device(rect);
  const COLORREF color = ColorToRGB(brush_.Color);
  // In the order of TBrushStyle: none for the solid and clear styles.
  static constexpr int kHatches[] = {-1,           -1,           HS_HORIZONTAL, HS_VERTICAL,
                                     HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,      HS_DIAGCROSS};
  const int hatch = kHatches[static_cast<std::size_t>(brush_.Style)];
  if (hatch < 0) {
    FillDevice(r, color, PATCOPY);
    return;
  }
  // The hatch lines only: the background between them stays.
  HBRUSH brush = ::CreateHatchBrush(hatch, color);
  ::SetBkMode(dc_, TRANSPARENT);
  ::FillRect(dc_, &r, brush);
  ::DeleteObject(brush);
}

// Text and dashed lines fill their gaps with a solid brush's colour, and leave them otherwise.
void GdiCanvas::BackgroundFromBrush() {
  const bool solid = brush_.Style == TBrushStyle::bsSolid;
  ::SetBkMode(dc_, solid ? OPAQUE : TRANSPARENT);
  if (solid) ::SetBkColor(dc_, ColorToRGB(brush_.Color));
}

int GdiCanvas::DrawText(std::string_view text, Rect& rect, std::uint32_t flags) {
  const std::wstring wide = platform::Wide(text);
  RECT r = Device(rect);
  ::SetTextColor(dc_, ColorToRGB(textColor_));
  BackgroundFromBrush();
  const int height = ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r, flags);
  const int top = Y(rect.Top);
  if (flags & DT_CALCRECT) {
    rect.Right = DipsRightOf(X(rect.Left) + (r.right - r.left), origin_.x);
    rect.Bottom = DipsRightOf(top + (r.bottom - r.top), origin_.y);
  }
  return DipsRightOf(top + height, origin_.y) - rect.Top;
}

Size GdiCanvas::TextExtent(std::string_view text) {
  const std::wstring wide = platform::Wide(text);
  SIZE size{};
  ::GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return {CeilToDips(size.cx, dpi_), CeilToDips(size.cy, dpi_)};
}

void GdiCanvas::TextRect(const Rect& rect, int x, int y, std::string_view text) {
  if (rect.IsEmpty()) return;
  const std::wstring wide = platform::Wide(text);
  const RECT r = Device(rect);
  UINT options = ETO_CLIPPED;
  if (brush_.Style != TBrushStyle::bsClear) {
    options |= ETO_OPAQUE;
    ::SetBkColor(dc_, ColorToRGB(brush_.Color));
  }
  ::SetBkMode(dc_, TRANSPARENT);
  ::SetTextColor(dc_, ColorToRGB(textColor_));
  ::ExtTextOutW(dc_, X(x), Y(y), options, &r, wide.c_str(), static_cast<UINT>(wide.size()),
                nullptr);
}

void GdiCanvas::DrawFocusRect(const Rect& rect) {
  if (rect.IsEmpty()) return;
  const RECT r = Device(rect);
  ::DrawFocusRect(dc_, &r);
}

// Each one-pixel ring of the edge is drawn by the system's DrawEdge as often as that pixel has
// device pixels on each side, moving inwards, so the edge keeps its width and colours at any
// dpi and meets what is drawn inside it.
void GdiCanvas::DrawEdge(const Rect& rect, std::uint32_t edge, std::uint32_t sides) {
  Rect ring = rect;
  const auto draw = [&](UINT kind) {
    const int left = X(ring.Left + 1) - X(ring.Left);
    const int top = Y(ring.Top + 1) - Y(ring.Top);
    const int right = X(ring.Right) - X(ring.Right - 1);
    const int bottom = Y(ring.Bottom) - Y(ring.Bottom - 1);
    RECT r = Device(ring);
    for (int k = 0; k < std::max({left, top, right, bottom}); ++k) {
      UINT mask = 0;
      if ((sides & BF_LEFT) && k < left) mask |= BF_LEFT;
      if ((sides & BF_TOP) && k < top) mask |= BF_TOP;
      if ((sides & BF_RIGHT) && k < right) mask |= BF_RIGHT;
      if ((sides & BF_BOTTOM) && k < bottom) mask |= BF_BOTTOM;
      if (mask == 0) break;
      ::DrawEdge(dc_, &r, kind, mask);
      if (mask & BF_LEFT) ++r.left;
      if (mask & BF_TOP) ++r.top;
      if (mask & BF_RIGHT) --r.right;
      if (mask & BF_BOTTOM) --r.bottom;
    }
    if (sides & BF_LEFT) ++ring.Left;
    if (sides & BF_TOP) ++ring.Top;
    if (sides & BF_RIGHT) --ring.Right;
    if (sides & BF_BOTTOM) --ring.Bottom;
  };
  if (edge & BDR_RAISEDOUTER) {
    draw(BDR_RAISEDOUTER);
  } else if (edge & BDR_SUNKENOUTER) {
    draw(BDR_SUNKENOUTER);
  }
  if (edge & BDR_RAISEDINNER) {
    draw(BDR_RAISEDINNER);
  } else if (edge & BDR_SUNKENINNER) {
    draw(BDR_SUNKENINNER);
  }
}

void GdiCanvas::DrawSegment(Point from, Point to) {
  if (pen_.Style == TPenStyle::psClear || from == to) return;
  const int width = std::max(1, pen_.Width);
  const COLORREF color = ColorToRGB(pen_.Color);
  // As the system's pens: a styled pen wider than one pixel draws solid.
  const bool solid =
      width > 1 || pen_.Style == TPenStyle::psSolid || pen_.Style == TPenStyle::psInsideFrame;
  if (solid && (from.y == to.y || from.x == to.x)) {
    // Straight runs as exact rectangles: the end point is left out and a wide pen is centred
    // on the line, covering [c - w/2, c - w/2 + w), scaled edge by edge.
    static constexpr DWORD kRops[] = {PATCOPY, DSTINVERT, PATINVERT};
    const DWORD rop = kRops[static_cast<int>(pen_.Mode)];
    const int half = width / 2;
    Rect run;
    if (from.y == to.y) {
      run.Left = from.x < to.x ? from.x : to.x + 1;
      run.Right = run.Left + std::abs(to.x - from.x);
      run.Top = from.y - half;
      run.Bottom = run.Top + width;
    } else {
      run.Top = from.y < to.y ? from.y : to.y + 1;
      run.Bottom = run.Top + std::abs(to.y - from.y);
      run.Left = from.x - half;
      run.Right = run.Left + width;
    }
    FillDevice(Device(run), color, rop);
    return;
  }
  HPEN pen = nullptr;
  if (!solid) {
    // In the order of TPenStyle; only the dashed styles come here.
    static constexpr int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                      PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    const int style = kStyles[static_cast<std::size_t>(pen_.Style)];
    pen = ::CreatePen(style, 1, color);
    BackgroundFromBrush();
  } else {
    const int device = std::max(1, ToDevice(width, dpi_));
    LOGBRUSH lb{BS_SOLID, color, 0};
    pen = device == 1 ? ::CreatePen(PS_SOLID, 1, color)
                      : ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                                       static_cast<DWORD>(device), &lb, 0, nullptr);
  }
  static constexpr int kModes[] = {R2_COPYPEN, R2_NOT, R2_XORPEN};
  const int oldMode = ::SetROP2(dc_, kModes[static_cast<int>(pen_.Mode)]);
  HGDIOBJ old = ::SelectObject(dc_, pen);
  ::MoveToEx(dc_, X(from.x), Y(from.y), nullptr);
  ::LineTo(dc_, X(to.x), Y(to.y));
  ::SelectObject(dc_, old);
  ::SetROP2(dc_, oldMode);
  ::DeleteObject(pen);
}

}  // namespace dorvane::win32
