#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPalette>

#include "gfx/Canvas.h"
#include "gfx/TextLayout.h"

class QPainter;

namespace dorvane {

// Our Font as a QFont: a negative Height is the character height in pixels (QFont pixel size),
// a positive one the cell height (ascent + descent). Windows family names fall back on
// metric-compatible free families.
QFont ToQFont(const Font& font);

// The nearest Font of a QFont, sized in pixels for a device of the given logical DPI.
Font FromQFont(const QFont& font, int logicalDpiY, TColor color = clWindowText);

// A tooltip that shows `text` as it stands, on one line: never read as markup.
QString PlainToolTip(const QString& text);

// A Qt colour as plain RGB.
TColor PlainColor(const QColor& color);

// Whether the desktop asks for high contrast: the application palette's faces darker than its
// text (a dark or high-contrast theme), by the rule both front ends share.
bool HighContrastPalette();

// A Canvas drawing with a QPainter, in the painter's logical pixels, so that it stays crisp at
// any device pixel ratio. System colours are resolved through the palette given here. Without
// a painter the canvas only measures (every drawing call does nothing), which is what the
// controls need for sizing themselves outside painting.
class QtCanvas final : public StatefulCanvas {
 public:
  QtCanvas(QPainter& painter, const QPalette& palette);
  explicit QtCanvas(const QPalette& palette);

  void FillRect(const Rect& rect) override;
  int DrawText(std::string_view text, Rect& rect, std::uint32_t flags) override;
  Size TextExtent(std::string_view text) override;
  void TextRect(const Rect& rect, int x, int y, std::string_view text) override;
  void DrawFocusRect(const Rect& rect) override;
  TColor ColorToRGB(TColor color) override;

  QColor ToQColor(TColor color);
  QFontMetrics Metrics() const;

 private:
  void UseFont(const Font& font) override;
  void Fill(const Rect& rect, TColor color, TPenMode mode) override;
  void DrawLine(Point from, Point to) override;
  void DrawTextRun(const TextPiece& piece, int x, int y, bool rightToLeft);

  QPainter* painter_ = nullptr;
  QPalette palette_;
  QFont qfont_;
};

}  // namespace dorvane
