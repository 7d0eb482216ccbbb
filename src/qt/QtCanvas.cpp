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
  const QString lower = name.toLower();
  QStringList families{name};
  if (lower == "ms sans serif" || lower == "microsoft sans serif" || lower == "tahoma" ||
      lower == "arial" || lower == "ms shell dlg" || lower == "ms shell dlg 2" ||
      lower == "verdana") {
    families << "Liberation Sans"
             << "Arimo"
             << "DejaVu Sans Condensed"
             << "DejaVu Sans"
             << "Nimbus Sans";
  } else if (lower == "times new roman" || lower == "ms serif") {
    families << "Liberation Serif"
             << "Tinos"
             << "Nimbus Roman"
             << "DejaVu Serif";
  } else if (lower == "courier new" || lower == "courier") {
    families << "Liberation Mono"
             << "Cousine"
             << "Nimbus Mono PS"
             << "DejaVu Sans Mono";
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

// Dash patterns of a one-pixel pen, in pixels: on, off, on, off...
QVector<qreal> DashesOf(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash:
      return {18, 6};
    case TPenStyle::psDot:
      return {3, 3};
    case TPenStyle::psDashDot:
      return {9, 6, 3, 6};
    case TPenStyle::psDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
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
  Font f;
  f.Name = font.family().toStdString();
  int pixels = font.pixelSize();
  if (pixels <= 0) pixels = static_cast<int>(std::lround(font.pointSizeF() * logicalDpiY / 72.0));
  f.Height = -std::max(1, pixels);
  f.Color = color;
  f.Bold = font.bold();
  f.Italic = font.italic();
  f.Underline = font.underline();
  f.StrikeOut = font.strikeOut();
  return f;
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

QtCanvas::QtCanvas(QPainter& painter, const QPalette& palette)
    : StatefulCanvas(HighContrastPalette()),
      painter_(&painter),
      palette_(palette),
      qfont_(ToQFont(font_)) {}

QtCanvas::QtCanvas(const QPalette& palette)
    : StatefulCanvas(HighContrastPalette()), palette_(palette), qfont_(ToQFont(font_)) {}

QtCanvas::~QtCanvas() = default;

QFontMetrics QtCanvas::Metrics() const {
  return painter_ != nullptr ? QFontMetrics(qfont_, painter_->device()) : QFontMetrics(qfont_);
}

void QtCanvas::UseFont(const Font& font) {
  qfont_ = ToQFont(font);
}

TColor QtCanvas::ColorToRGB(TColor color) {
  if (!IsSystemColor(color)) return color & 0x00FFFFFFu;
  QColor c;
  switch (SystemColorIndex(color)) {
    case 0:   // scroll bar
    case 10:  // active border
    case 11:  // inactive border
    case 15:  // button face
      c = palette_.color(QPalette::Active, QPalette::Button);
      break;
    case 1:   // desktop
    case 4:   // menu
    case 30:  // menu bar
      c = palette_.color(QPalette::Active, QPalette::Window);
      break;
    case 2:   // active caption
    case 13:  // highlight
    case 27:  // active caption gradient
    case 29:  // menu highlight
      c = palette_.color(QPalette::Active, QPalette::Highlight);
      break;
    case 3:   // inactive caption
    case 28:  // inactive caption gradient
      c = palette_.color(QPalette::Inactive, QPalette::Highlight);
      break;
    case 5:  // window
      c = palette_.color(QPalette::Active, QPalette::Base);
      break;
    case 6:   // window frame
    case 21:  // 3D dark shadow
      c = palette_.color(QPalette::Active, QPalette::Shadow);
      break;
    case 7:  // menu text
    case 8:  // window text
      c = palette_.color(QPalette::Active, QPalette::Text);
      break;
    case 9:   // caption text
    case 14:  // highlight text
      c = palette_.color(QPalette::Active, QPalette::HighlightedText);
      break;
    case 12:  // application workspace
    case 16:  // button shadow
      c = palette_.color(QPalette::Active, QPalette::Dark);
      break;
    case 17:  // grey text
      c = palette_.color(QPalette::Disabled, QPalette::Text);
      break;
    case 18:  // button text
      c = palette_.color(QPalette::Active, QPalette::ButtonText);
      break;
    case 19:  // inactive caption text
      c = palette_.color(QPalette::Inactive, QPalette::HighlightedText);
      break;
    case 20:  // button highlight
      c = palette_.color(QPalette::Active, QPalette::Light);
      break;
    case 22:  // 3D light
      c = palette_.color(QPalette::Active, QPalette::Midlight);
      break;
    case 23:  // tooltip text
      c = palette_.color(QPalette::Active, QPalette::ToolTipText);
      break;
    case 24:  // tooltip background
      c = palette_.color(QPalette::Active, QPalette::ToolTipBase);
      break;
    case 26:  // hot-tracked item
      c = palette_.color(QPalette::Active, QPalette::Link);
      break;
    default:
      c = palette_.color(QPalette::Active, QPalette::WindowText);
      break;
  }
  return PlainColor(c);
}

QColor QtCanvas::ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

void QtCanvas::FillLogicalRect(int left, int top, int width, int height, const QColor& color) {
  if (width <= 0 || height <= 0) return;
  painter_->fillRect(QRect(left, top, width, height), color);
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

void QtCanvas::DrawTextRun(const QString& text, int x, int y, int underlineFrom,
                           int underlineLength, bool rightToLeft) {
  QTextLayout layout(text, qfont_, painter_->device());
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
  layout.setTextOption(option);
  if (underlineFrom >= 0 && underlineLength > 0) {
    QTextLayout::FormatRange range;
    range.start = underlineFrom;
    range.length = underlineLength;
    range.format.setFontUnderline(true);
    layout.setFormats({range});
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
  const bool rtl = (flags & DT_RTLREADING) != 0;
  int y = rect.Top;
  for (const TextLine& line : lines) {
    int x = rect.Left;
    if (flags & DT_CENTER) {
      x = rect.Left + (rect.Width() - line.width) / 2;
    } else if (flags & DT_RIGHT) {
      x = rect.Right - line.width;
    }
    if (brush_.Style == TBrushStyle::bsSolid) {
      FillLogicalRect(x, y, line.width, lineHeight, ToQColor(brush_.Color));
    }
    for (const TextPiece& piece : line.pieces) {
      int from = -1;
      int length = 0;
      if (piece.marked >= 0) {
        const std::string_view all = piece.text;
        const std::size_t bytes = CodePointLength(all, static_cast<std::size_t>(piece.marked));
        from = static_cast<int>(
            QStringFromUtf8(all.substr(0, static_cast<std::size_t>(piece.marked))).size());
        length = static_cast<int>(
            QStringFromUtf8(all.substr(static_cast<std::size_t>(piece.marked), bytes)).size());
      }
      DrawTextRun(QStringFromUtf8(piece.text), x + piece.x, y, from, length, rtl);
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
  if (brush_.Style != TBrushStyle::bsClear) {
    FillLogicalRect(rect.Left, rect.Top, rect.Width(), rect.Height(), ToQColor(brush_.Color));
  }
  DrawTextRun(QStringFromUtf8(text), x, y, -1, 0, false);
  painter_->restore();
}

void QtCanvas::DrawFocusRect(const Rect& rect) {
  if (painter_ == nullptr || rect.IsEmpty()) return;
  painter_->save();
  painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  const QColor white(255, 255, 255);
  // Every other pixel of the frame, each pixel once, so that a second call restores it.
  const auto dot = [&](int x, int y) {
    if (((x - rect.Left) + (y - rect.Top)) % 2 == 0) FillLogicalRect(x, y, 1, 1, white);
  };
  const int last = rect.Bottom - 1;
  const int right = rect.Right - 1;
  for (int x = rect.Left; x < rect.Right; ++x) {
    dot(x, rect.Top);
    if (last > rect.Top) dot(x, last);
  }
  for (int y = rect.Top + 1; y < last; ++y) {
    dot(rect.Left, y);
    if (right > rect.Left) dot(right, y);
  }
  painter_->restore();
}

void QtCanvas::DrawEdge(const Rect& rect, std::uint32_t edge, std::uint32_t sides) {
  if (painter_ == nullptr) return;
  Rect r = rect;
  const auto frame = [&](TColor topLeft, TColor bottomRight) {
    const QColor tl = ToQColor(topLeft);
    const QColor br = ToQColor(bottomRight);
    if (sides & BF_TOP) FillLogicalRect(r.Left, r.Top, r.Width(), 1, tl);
    if (sides & BF_LEFT) FillLogicalRect(r.Left, r.Top, 1, r.Height(), tl);
    if (sides & BF_BOTTOM) FillLogicalRect(r.Left, r.Bottom - 1, r.Width(), 1, br);
    if (sides & BF_RIGHT) FillLogicalRect(r.Right - 1, r.Top, 1, r.Height(), br);
    if (sides & BF_LEFT) ++r.Left;
    if (sides & BF_TOP) ++r.Top;
    if (sides & BF_RIGHT) --r.Right;
    if (sides & BF_BOTTOM) --r.Bottom;
  };
  if (edge & BDR_RAISEDOUTER) {
    frame(cl3DLight, cl3DDkShadow);
  } else if (edge & BDR_SUNKENOUTER) {
    frame(clBtnShadow, clBtnHighlight);
  }
  if (edge & BDR_RAISEDINNER) {
    frame(clBtnHighlight, clBtnShadow);
  } else if (edge & BDR_SUNKENINNER) {
    frame(cl3DDkShadow, cl3DLight);
  }
}

void QtCanvas::DrawSegment(Point from, Point to) {
  if (painter_ == nullptr || pen_.Style == TPenStyle::psClear || from == to) return;
  const int width = std::max(1, pen_.Width);
  // Like the platform's pens: a styled pen wider than one pixel draws solid.
  const QVector<qreal> dashes = width == 1 ? DashesOf(pen_.Style) : QVector<qreal>{};
  const QColor color = ToQColor(pen_.Color);
  painter_->save();
  painter_->setCompositionMode(ModeOf(pen_.Mode));
  if (dashes.isEmpty() && (from.y == to.y || from.x == to.x)) {
    // Straight runs as exact rectangles: the end point is left out and a wide pen is centred
    // on the line, covering [c - w/2, c - w/2 + w).
    const int half = width / 2;
    if (from.y == to.y) {
      const int left = from.x < to.x ? from.x : to.x + 1;
      FillLogicalRect(left, from.y - half, std::abs(to.x - from.x), width, color);
    } else {
      const int top = from.y < to.y ? from.y : to.y + 1;
      FillLogicalRect(from.x - half, top, width, std::abs(to.y - from.y), color);
    }
  } else {
    QPen pen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (!dashes.isEmpty()) {
      pen.setDashPattern(dashes);
      if (brush_.Style == TBrushStyle::bsSolid) {
        painter_->setBackgroundMode(Qt::OpaqueMode);
        painter_->setBackground(ToQColor(brush_.Color));
      } else {
        painter_->setBackgroundMode(Qt::TransparentMode);
      }
    }
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setPen(pen);
    painter_->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
  }
  painter_->restore();
}

}  // namespace dorvane
