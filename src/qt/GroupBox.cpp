#include "qt/GroupBox.h"

#include <QPainter>

namespace dorvane {

namespace {
constexpr int kCaptionLeft = 8;
constexpr int kCaptionPadding = 2;
}  // namespace

TGroupBox::TGroupBox(QWidget* parent, const QString& caption) : QGroupBox(caption, parent) {}

void TGroupBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics metrics = fontMetrics();
  const int top = metrics.height() / 2;
  const QRect frame(0, top, width() - 2, height() - top - 2);
  // Etched: a shadow line with a highlight line one pixel right and below.
  p.setPen(palette().color(QPalette::Light));
  p.drawRect(frame.translated(1, 1));
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(frame);
  const QString caption = title();
  if (caption.isEmpty()) return;
  const int textWidth = metrics.horizontalAdvance(caption);
  const QRect textBox(kCaptionLeft, 0, textWidth + 2 * kCaptionPadding, metrics.height());
  p.fillRect(textBox, palette().color(backgroundRole()));
  p.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  p.drawText(textBox, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
}

}  // namespace dorvane
