#include "qt/QtCanvas.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTextLayout>
#include <QVector>
#include <algorithm>
#include <cmath>

#include "gfx/TextFlags.h"
#include "gfx/TextLayout.h"
#include "platform/QtText.h"
#include "text/Utf8.h"

namespace dorvane {

namespace {

// Families the window layouts name, with free families of about the same widths and line
// heights to fall back on, so that fixed layouts keep their text inside their boxes. (Wine's
// "MS Sans Serif" is a single-size bitmap font: it would neither scale nor stay crisp.)
QStringList FamiliesFor(const QString& name) {
  // The names of each group (any case), then its free families.
  static const std::pair<QStringList, QStringList> kGroups[] = {
      {{"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial", "MS Shell Dlg",
        "MS Shell Dlg 2", "Verdana"},
       {"Liberation Sans", "Arimo", "DejaVu Sans Condensed", "DejaVu Sans", "Nimbus Sans"}},
      {{"Times New Roman", "MS Serif"},
       {"Liberation Serif", "Tinos", "Nimbus Roman", "DejaVu Serif"}},
      {{"Courier New", "Courier"},
       {"Liberation Mono", "Cousine", "Nimbus Mono PS", "DejaVu Sans Mono"}},
  };
  QStringList families{name};
  for (const auto& [names, fallbacks] : kGroups) {
    if (names.contains(name, Qt::CaseInsensitive)) families << fallbacks;
  }
  return families;
}

// In the order of TPenMode.
QPainter::CompositionMode ModeOf(TPenMode mode) {
  static constexpr QPainter::CompositionMode kModes[] = {QPainter::CompositionMode_SourceOver,
                                                         QPainter::RasterOp_NotDestination,
                                                         QPainter::RasterOp_SourceXorDestination};
  return kModes[static_cast<std::size_t>(mode)];
}

// Dash patterns of a one-pixel pen, in pixels (on, off, on, off...), for the styles that do not
// draw solid, in the order of TPenStyle from psDash to psDashDotDot.
QVector<qreal> DashesOf(TPenStyle style) {
  static const QVector<qreal> kDashes[] = {{18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
  return kDashes[static_cast<std::size_t>(style) - 1];
}

}  // namespace

QString PlainToolTip(const QString& text) {
  if (text.isEmpty()) return {};
  return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
}

QFont ToQFont(const Font& font) {
  QFont q;
  const QString name = QStringFromUtf8(font.Name);
  q.setFamilies(FamiliesFor(name));
  q.setStyleHint(QFont::SansSerif);
  if (font.Height < 0) {
    q.setPixelSize(-font.Height);
  } else if (font.Height > 0) {
    // A cell height: shrink the character size until ascent + descent fits it.
    q.setPixelSize(font.Height);
    const int cell = QFontMetrics(q).height();
    if (cell > font.Height) q.setPixelSize(std::max(1, font.Height * font.Height / cell));
  }
  q.setBold(font.Bold);
  q.setItalic(font.Italic);
  q.setUnderline(font.Underline);
  q.setStrikeOut(font.StrikeOut);
  return q;
}

Font FromQFont(const QFont& font, int logicalDpiY, TColor color) {
  int pixels = font.pixelSize();
  if (pixels <= 0) pixels = static_cast<int>(std::lround(font.pointSizeF() * logicalDpiY / 72.0));
  return {.Name = font.family().toStdString(),
          .Height = -std::max(1, pixels),
          .Color = color,
          .Bold = font.bold(),
          .Italic = font.italic(),
          .Underline = font.underline(),
          .StrikeOut = font.strikeOut()};
}

TColor PlainColor(const QColor& color) {
  return RGB(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
             static_cast<std::uint8_t>(color.blue()));
}

bool HighContrastPalette() {
  const QPalette palette = QGuiApplication::palette();
  return AsksForHighContrast(false, PlainColor(palette.color(QPalette::Active, QPalette::Window)),
                             PlainColor(palette.color(QPalette::Active, QPalette::WindowText)));
}

QtCanvas::QtCanvas(const QPalette& palette)
    : StatefulCanvas(HighContrastPalette()), palette_(palette), qfont_(ToQFont(font_)) {}

QtCanvas::QtCanvas(QPainter& painter, const QPalette& palette) : QtCanvas(palette) {
  painter_ = &painter;
}

QFontMetrics QtCanvas::Metrics() const {
  return painter_ != nullptr ? QFontMetrics(qfont_, painter_->device()) : QFontMetrics(qfont_);
}

void QtCanvas::UseFont(const Font& font) {
  qfont_ = ToQFont(font);
}

TColor QtCanvas::ColorToRGB(TColor color) {
  if (!IsSystemColor(color)) return color & 0x00FFFFFFu;
  using P = QPalette;
  // The palette's colour for each system colour, by its index.
  static constexpr std::pair<P::ColorGroup, P::ColorRole> kRoles[] = {
      {P::Active, P::Button},             // scroll bar
      {P::Active, P::Window},             // desktop
      {P::Active, P::Highlight},          // active caption
      {P::Inactive, P::Highlight},        // inactive caption
      {P::Active, P::Window},             // menu
      {P::Active, P::Base},               // window
      {P::Active, P::Shadow},             // window frame
      {P::Active, P::Text},               // menu text
      {P::Active, P::Text},               // window text
      {P::Active, P::HighlightedText},    // caption text
      {P::Active, P::Button},             // active border
      {P::Active, P::Button},             // inactive border
      {P::Active, P::Dark},               // application workspace
      {P::Active, P::Highlight},          // highlight
      {P::Active, P::HighlightedText},    // highlight text
      {P::Active, P::Button},             // button face
      {P::Active, P::Dark},               // button shadow
      {P::Disabled, P::Text},             // grey text
      {P::Active, P::ButtonText},         // button text
      {P::Inactive, P::HighlightedText},  // inactive caption text
      {P::Active, P::Light},              // button highlight
      {P::Active, P::Shadow},             // 3-D dark shadow
      {P::Active, P::Midlight},           // 3-D light
      {P::Active, P::ToolTipText},        // tooltip text
      {P::Active, P::ToolTipBase},        // tooltip background
      {P::Active, P::WindowText},         // (none)
      {P::Active, P::Link},               // hot-tracked item
      {P::Active, P::Highlight},          // active caption gradient
      {P::Inactive, P::Highlight},        // inactive caption gradient
      {P::Active, P::Highlight},          // menu highlight
      {P::Active, P::Window},             // menu bar
  };
  const std::size_t index = SystemColorIndex(color);
  const auto [group, role] =
      index < std::size(kRoles) ? kRoles[index] : std::pair{P::Active, P::WindowText};
  return PlainColor(palette_.color(group, role));
}

QColor QtCanvas::ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

void QtCanvas::Fill(const Rect& rect, TColor color, TPenMode mode) {
  if (painter_ == nullptr || rect.IsEmpty()) return;
  const QPainter::CompositionMode old = painter_->compositionMode();
  painter_->setCompositionMode(ModeOf(mode));
  painter_->fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), ToQColor(color));
  painter_->setCompositionMode(old);
}

void QtCanvas::FillRect(const Rect& rect) {
  if (painter_ == nullptr || rect.IsEmpty() || brush_.Style == TBrushStyle::bsClear) return;
  // In the order of TBrushStyle; Qt names the diagonals by the other end.
  static constexpr Qt::BrushStyle kStyles[] = {
      Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
      Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  const QBrush brush(ToQColor(brush_.Color), kStyles[static_cast<std::size_t>(brush_.Style)]);
  painter_->fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), brush);
}

Size QtCanvas::TextExtent(std::string_view text) {
  const QFontMetrics fm = Metrics();
  return {fm.horizontalAdvance(QStringFromUtf8(text)), fm.height()};
}

void QtCanvas::DrawTextRun(const TextPiece& piece, int x, int y, bool rightToLeft) {
  QTextLayout layout(QStringFromUtf8(piece.text), qfont_, painter_->device());
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
  layout.setTextOption(option);
  if (piece.marked >= 0) {
    // The marked character's place in the UTF-16 text.
    const std::string_view all = piece.text;
    const auto at = static_cast<std::size_t>(piece.marked);
    QTextLayout::FormatRange underline{
        static_cast<int>(QStringFromUtf8(all.substr(0, at)).size()),
        static_cast<int>(QStringFromUtf8(all.substr(at, CodePointLength(all, at))).size()),
        {}};
    underline.format.setFontUnderline(true);
    layout.setFormats({underline});
  }
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (line.isValid()) line.setLineWidth(1.0e6);
  layout.endLayout();
  painter_->setPen(ToQColor(textColor_));
  layout.draw(painter_, QPointF(x, y));
}

int QtCanvas::DrawText(std::string_view text, Rect& rect, std::uint32_t flags) {
  const QFontMetrics fm = Metrics();
  TextMeasure measure;
  measure.width = [&fm](std::string_view s) { return fm.horizontalAdvance(QStringFromUtf8(s)); };
  measure.tabWidth = 8 * std::max(1, fm.averageCharWidth());
  const std::vector<TextLine> lines = LayOutText(text, flags, rect.Width(), measure);
  const int lineHeight = fm.height();
  const int height = static_cast<int>(lines.size()) * lineHeight;

  if (flags & DT_CALCRECT) {
    int width = 0;
    for (const TextLine& line : lines) width = std::max(width, line.width);
    rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + height;
    return height;
  }
  if (painter_ == nullptr) return height;

  painter_->save();
  painter_->setClipRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), Qt::IntersectClip);
  int y = rect.Top;
  for (const TextLine& line : lines) {
    int x = rect.Left;
    if (flags & DT_CENTER) {
      x = rect.Left + (rect.Width() - line.width) / 2;
    } else if (flags & DT_RIGHT) {
      x = rect.Right - line.width;
    }
    if (brush_.Style == TBrushStyle::bsSolid) {
      Fill({x, y, x + line.width, y + lineHeight}, brush_.Color, TPenMode::pmCopy);
    }
    for (const TextPiece& piece : line.pieces) {
      DrawTextRun(piece, x + piece.x, y, (flags & DT_RTLREADING) != 0);
    }
    y += lineHeight;
  }
  painter_->restore();
  return height;
}

void QtCanvas::TextRect(const Rect& rect, int x, int y, std::string_view text) {
  if (painter_ == nullptr || rect.IsEmpty()) return;
  painter_->save();
  painter_->setClipRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), Qt::IntersectClip);
  if (brush_.Style != TBrushStyle::bsClear) Fill(rect, brush_.Color, TPenMode::pmCopy);
  DrawTextRun({std::string(text)}, x, y, false);
  painter_->restore();
}

void QtCanvas::DrawFocusRect(const Rect& rect) {
  if (painter_ == nullptr || rect.IsEmpty()) return;
  // Every other pixel of the frame, each pixel once, so that a second call restores it: the
  // first and last rows whole, the left and right pixels of the others.
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    const bool whole = y == rect.Top || y == rect.Bottom - 1;
    for (int x = rect.Left; x < rect.Right; x += whole ? 1 : std::max(1, rect.Width() - 1)) {
      if ((x - rect.Left + y - rect.Top) % 2 == 0)
        Fill({x, y, x + 1, y + 1}, clWhite, TPenMode::pmXor);
    }
  }
}

void QtCanvas::DrawLine(Point from, Point to) {
  if (painter_ == nullptr) return;
  QPen pen(ToQColor(pen_.Color), std::max(1, pen_.Width), Qt::SolidLine, Qt::FlatCap,
           Qt::MiterJoin);
  painter_->save();
  painter_->setCompositionMode(ModeOf(pen_.Mode));
  if (!DrawsSolid(pen_)) {
    pen.setDashPattern(DashesOf(pen_.Style));
    const bool opaque = brush_.Style == TBrushStyle::bsSolid;
    painter_->setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_->setBackground(ToQColor(brush_.Color));
  }
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setPen(pen);
  painter_->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
  painter_->restore();
}

}  // namespace dorvane
