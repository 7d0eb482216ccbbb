#include "win32/GdiCanvas.h"

#include <algorithm>
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
  return PixelToDips(d - 1, dpi) + 1;
}

// Notes whether the face is scalable, and goes on to the next one while it is not.
int CALLBACK NoteScalableFace(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  *reinterpret_cast<bool*>(found) = (type & RASTER_FONTTYPE) == 0;
  return (type & RASTER_FONTTYPE) != 0;
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
std::wstring FaceFor(const std::string& name) {
  if (!EqualsNoCase(name, "MS Sans Serif")) return platform::Wide(name);
  static const bool successor =  // UI thread only
      !HasScalableFace(L"MS Sans Serif") && HasScalableFace(L"Microsoft Sans Serif");
  return successor ? L"Microsoft Sans Serif" : L"MS Sans Serif";
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
  lf.lfCharSet = DEFAULT_CHARSET;  // the precisions and quality: their defaults, 0
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  FaceFor(font.Name).copy(lf.lfFaceName, LF_FACESIZE - 1);
  HFONT handle = ::CreateFontIndirectW(&lf);
  if (handle == nullptr) handle = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  cache.emplace(std::move(key), handle);
  return handle;
}

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

COLORREF ColorRef(TColor color) {
  return (IsSystemColor(color) ? ::GetSysColor(SystemColorIndex(color)) : color) & 0x00FFFFFFu;
}

TColor GdiCanvas::ColorToRGB(TColor color) {
  return ColorRef(color);
}

void GdiCanvas::FillRect(const Rect& rect) {
  if (rect.IsEmpty() || brush_.Style == TBrushStyle::bsClear) return;
  if (brush_.Style == TBrushStyle::bsSolid) {
    Fill(rect, brush_.Color, TPenMode::pmCopy);
    return;
  }
  // In the order of TBrushStyle, from the first hatched one. The hatch lines only: the
  // background between them stays.
  static constexpr int kHatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                     HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
  const RECT r = Device(rect);
  HBRUSH brush = ::CreateHatchBrush(kHatches[static_cast<std::size_t>(brush_.Style) - 2],
                                    ColorToRGB(brush_.Color));
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
    rect.Right = CeilToDips(X(rect.Left) + (r.right - r.left), dpi_) - origin_.x;
    rect.Bottom = CeilToDips(top + (r.bottom - r.top), dpi_) - origin_.y;
  }
  return CeilToDips(top + height, dpi_) - origin_.y - rect.Top;
}

Size GdiCanvas::TextExtent(std::string_view text) {
  const std::wstring wide = platform::Wide(text);
  SIZE size{};
  ::GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return {CeilToDips(size.cx, dpi_), CeilToDips(size.cy, dpi_)};
}

void GdiCanvas::TextRect(const Rect& rect, int x, int y, std::string_view text) {
  if (rect.IsEmpty()) return;
  if (brush_.Style != TBrushStyle::bsClear) Fill(rect, brush_.Color, TPenMode::pmCopy);
  const std::wstring wide = platform::Wide(text);
  const RECT r = Device(rect);
  ::SetBkMode(dc_, TRANSPARENT);
  ::SetTextColor(dc_, ColorToRGB(textColor_));
  ::ExtTextOutW(dc_, X(x), Y(y), ETO_CLIPPED, &r, wide.c_str(), static_cast<UINT>(wide.size()),
                nullptr);
}

void GdiCanvas::DrawFocusRect(const Rect& rect) {
  if (rect.IsEmpty()) return;
  const RECT r = Device(rect);
  ::DrawFocusRect(dc_, &r);
}

void GdiCanvas::Fill(const Rect& rect, TColor color, TPenMode mode) {
  static constexpr DWORD kRops[] = {PATCOPY, DSTINVERT, PATINVERT};
  const RECT r = Device(rect);
  if (r.right <= r.left || r.bottom <= r.top) return;
  ::SetDCBrushColor(dc_, ColorToRGB(color));
  ::PatBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, kRops[static_cast<int>(mode)]);
}

void GdiCanvas::DrawLine(Point from, Point to) {
  const COLORREF color = ColorToRGB(pen_.Color);
  HPEN pen = nullptr;
  if (!DrawsSolid(pen_)) {
    // In the order of TPenStyle, from psDash: only the dashed styles come here.
    static constexpr int kStyles[] = {PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    pen = ::CreatePen(kStyles[static_cast<std::size_t>(pen_.Style) - 1], 1, color);
    BackgroundFromBrush();
  } else {
    const int device = std::max(1, ToDevice(pen_.Width, dpi_));
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
