#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/Color.h"
#include "gfx/HighContrast.h"
#include "gfx/Rect.h"

namespace dorvane {

// A font as the controls describe it. Height follows the usual convention: negative is the
// character height in pixels (-11 is an 11-pixel character), positive the cell height.
struct Font {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  TColor Color = clWindowText;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  friend bool operator==(const Font&, const Font&) = default;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode { pmCopy, pmNot, pmXor };

struct Pen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
  friend bool operator==(const Pen&, const Pen&) = default;
};

enum class TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

struct Brush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
  friend bool operator==(const Brush&, const Brush&) = default;
};

struct Segment {
  Point from;
  Point to;
};

// Whether a pen draws solid: a styled pen wider than one pixel does, as the platform's pens.
bool DrawsSolid(const Pen& pen);

// The rectangle a segment covers when a solid pen runs straight across or down: the end point
// left out and a wide pen centred on the line, over [c - w/2, c - w/2 + w). Other segments
// (diagonals, dashes) have none.
std::optional<Rect> SolidRun(Point from, Point to, const Pen& pen);

// One pixel-wide strip of a 3-D edge and the colour it shows.
struct EdgeStrip {
  Rect rect;
  TColor color;
};

// The strips of a 3-D edge (BDR_* kind) along the chosen sides (BF_*), outer ring first, in
// drawing order: each ring's top and left in its light colour, then its bottom and right in
// its dark one, which thus take the corners the two share.
std::vector<EdgeStrip> EdgeStrips(Rect rect, std::uint32_t edge, std::uint32_t sides);

// The drawing context the controls paint on. Text is UTF-8. QtCanvas draws with QPainter;
// tests use a recording canvas with fixed metrics.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // Selects a copy of the font; the text colour becomes the font's colour.
  virtual void SetFont(const Font& font) = 0;
  // Sets the text colour and returns the previous one.
  virtual TColor SetTextColor(TColor color) = 0;
  virtual void SetBrush(const Brush& brush) = 0;
  virtual void SetPen(const Pen& pen) = 0;

  // Fills with the brush colour.
  virtual void FillRect(const Rect& rect) = 0;

  // Formatted text with the DT_* flags. With DT_CALCRECT nothing is drawn and Right and Bottom
  // move to the text's extent; otherwise the text is clipped to the rectangle. Returns the
  // height of the text.
  virtual int DrawText(std::string_view text, Rect& rect, std::uint32_t flags) = 0;

  // Width and height of one line of text in the current font.
  virtual Size TextExtent(std::string_view text) = 0;

  // Fills the rectangle with the brush colour (unless the brush is clear), then draws the text
  // with its top-left corner at (x, y), clipped to the rectangle.
  virtual void TextRect(const Rect& rect, int x, int y, std::string_view text) = 0;

  // The dotted focus frame, drawn by inverting: drawing it twice removes it.
  virtual void DrawFocusRect(const Rect& rect) = 0;

  // A three-dimensional edge (BDR_* kind) along the chosen sides (BF_*).
  virtual void DrawEdge(const Rect& rect, std::uint32_t edge, std::uint32_t sides) = 0;

  // Straight segments with the current pen; as with LineTo, each end point is not drawn.
  virtual void Polyline(std::span<const Segment> segments) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;

  // A colour as plain RGB (0x00BBGGRR), system colours resolved through the colour scheme.
  virtual TColor ColorToRGB(TColor color) = 0;

  // Whether the system asks for high contrast: texts and lines of a fixed colour then show in
  // the system's text colour (ShownColor), and relief such as a label's shadow is left out.
  virtual bool HighContrast() const { return false; }
};

// What every drawing context does the same way: it keeps the font, the text colour, the brush,
// the pen and the pen's position, and draws 3-D edges and straight solid pen runs as filled
// rectangles. A context on a drawing API is told of a new font (UseFont), fills (Fill) and
// draws the pen's other segments (DrawLine).
class StatefulCanvas : public Canvas {
 public:
  explicit StatefulCanvas(bool highContrast = false) : highContrast_(highContrast) {}
  StatefulCanvas(const StatefulCanvas&) = delete;
  StatefulCanvas& operator=(const StatefulCanvas&) = delete;

  void SetFont(const Font& font) final {
    if (!(font == font_)) {
      font_ = font;
      UseFont(font_);
    }
    textColor_ = ShownColor(font.Color, highContrast_);
  }
  TColor SetTextColor(TColor color) final {
    const TColor old = textColor_;
    textColor_ = ShownColor(color, highContrast_);
    return old;
  }
  void SetBrush(const Brush& brush) final { brush_ = brush; }
  void SetPen(const Pen& pen) final {
    pen_ = pen;
    pen_.Color = ShownColor(pen.Color, highContrast_);
  }
  bool HighContrast() const final { return highContrast_; }
  void DrawEdge(const Rect& rect, std::uint32_t edge, std::uint32_t sides) final {
    for (const EdgeStrip& strip : EdgeStrips(rect, edge, sides)) {
      Fill(strip.rect, strip.color, TPenMode::pmCopy);
    }
  }
  void Polyline(std::span<const Segment> segments) final {
    for (const Segment& s : segments) DrawSegment(s.from, s.to);
  }
  void MoveTo(int x, int y) final { position_ = {x, y}; }
  void LineTo(int x, int y) final {
    const Point to{x, y};
    DrawSegment(position_, to);
    position_ = to;
  }

 protected:
  // The font has changed: later texts and measures use it.
  virtual void UseFont(const Font& font) = 0;
  // A rectangle in a colour (a system colour resolved), combined with what lies below as the
  // mode says. Empty rectangles come here too.
  virtual void Fill(const Rect& rect, TColor color, TPenMode mode) = 0;
  // A segment of the current pen that is no straight solid run; the end point is not drawn.
  virtual void DrawLine(Point from, Point to) = 0;

  bool highContrast_;
  Font font_;
  TColor textColor_ = font_.Color;
  Brush brush_;
  Pen pen_;
  Point position_;

 private:
  void DrawSegment(Point from, Point to);
};

}  // namespace dorvane
