#include "qt/ToolBar.h"

#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QToolButton>

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "gfx/HighContrast.h"
#include "platform/QtText.h"
#include "qt/QtCanvas.h"

namespace dorvane {

namespace {

// Vertical ridges of two lines, lit on one side and shaded on the other, `inset` short of the
// widget's top and bottom: raised, the band's gripper; sunken, the etched line a flat tool bar
// draws between groups of buttons.
class Ridges : public QWidget {
 public:
  Ridges(QWidget* parent, std::initializer_list<int> lefts, int inset, bool raised)
      : QWidget(parent), lefts_(lefts), inset_(inset), raised_(raised) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    for (const int x : lefts_) {
      p.setPen(raised_ ? light : dark);
      p.drawLine(x, inset_, x, height() - 1 - inset_);
      p.setPen(raised_ ? dark : light);
      p.drawLine(x + 1, inset_, x + 1, height() - 1 - inset_);
    }
  }

 private:
  std::vector<int> lefts_;
  int inset_;
  bool raised_;
};

// The picture as drawn, or in high contrast its variant that holds on the bar's face (the bar's
// palette: a new one reaches the bar before its buttons).
QIcon ToolIcon(const QString& imagePath, const QWidget& bar) {
  QIcon picture(imagePath);
  if (!HighContrastPalette()) return picture;
  QImage image = picture.pixmap(QSize(kToolImageSize, kToolImageSize), bar.devicePixelRatioF())
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QPalette& colours = bar.palette();
  HoldContrast(std::span(reinterpret_cast<std::uint32_t*>(image.bits()),
                         static_cast<std::size_t>(image.sizeInBytes() / 4)),
               PlainColor(colours.color(QPalette::Window)),
               PlainColor(colours.color(QPalette::WindowText)));
  return QIcon(QPixmap::fromImage(image));
}

constexpr char kImagePath[] = "imagePath";

}  // namespace

QWidget* NewControlBar(QWidget* parent) {
  return new Ridges(parent, {3, 6}, 3, true);
}

QWidget* TToolBar::Add(const ToolButtonLayout& row, std::span<const std::string_view> images) {
  const bool separator = row.image == ToolButtonLayout::kSeparator;
  QWidget* item =
      separator ? static_cast<QWidget*>(new Ridges(this, {kToolSeparatorWidth / 2 - 1}, 0, false))
                : new QToolButton(this);
  item->setObjectName(QStringFromUtf8(row.name));
  item->setGeometry(row.left, 0, separator ? kToolSeparatorWidth : kToolButtonWidth,
                    kToolButtonHeight);
  if (separator) return item;
  auto* button = static_cast<QToolButton*>(item);
  const QString imagePath = QStringLiteral(":/dorvane/tool/%1.svg")
                                .arg(QStringFromUtf8(images[static_cast<std::size_t>(row.image)]));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setProperty(kImagePath, imagePath);
  button->setIcon(ToolIcon(imagePath, *this));
  button->setIconSize(QSize(kToolImageSize, kToolImageSize));
  button->setToolTip(QStringFromUtf8(row.hint));
  button->setAccessibleName(QStringFromUtf8(SpokenName(row.hint)));
  return button;
}

void TToolBar::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) {
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
      button->setIcon(ToolIcon(button->property(kImagePath).toString(), *this));
    }
  }
  QWidget::changeEvent(event);
}

}  // namespace dorvane
