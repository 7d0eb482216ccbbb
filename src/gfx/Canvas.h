#pragma once

#include <span>
#include <string>
#include <string_view>

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

// The state every drawing context keeps the same way: the font, the text colour, the brush,
// the pen and the pen's position. A context on a drawing API draws with it; it is told of a
// new font (UseFont) and draws each pen segment (DrawSegment).
class StatefulCanvas : public Canvas {
 public:
  explicit StatefulCanvas(bool highContrast = false) : highContrast_(highContrast) {}

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
  // One pen segment; as with LineTo, the end point is not drawn.
  virtual void DrawSegment(Point from, Point to) = 0;

  bool highContrast_;
  Font font_;
  TColor textColor_ = font_.Color;
  Brush brush_;
  Pen pen_;
  Point position_;
};

}  // namespace dorvane
