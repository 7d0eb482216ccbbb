#include "qt/ToolBar.h"

#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <cstdint>
#include <span>

#include "forms/Layout.h"
#include "gfx/HighContrast.h"
#include "platform/QtText.h"
#include "qt/QtCanvas.h"

namespace dorvane {

namespace {

// The etched vertical line that a flat tool bar draws between groups of buttons.
class TToolSeparator : public QWidget {
 public:
  explicit TToolSeparator(QWidget* parent) : QWidget(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int x = width() / 2 - 1;
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(x, 0, x, height() - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(x + 1, 0, x + 1, height() - 1);
  }
};

// The picture as drawn, or in high contrast its variant that holds on the bar's face (the bar's
// palette: a new one reaches the bar before its buttons).
QIcon ToolIcon(const QString& imagePath, const QWidget& bar) {
  QIcon picture(imagePath);
  if (!HighContrastPalette()) return picture;
  const qreal ratio = bar.devicePixelRatioF();
  QImage image = picture.pixmap(QSize(kToolImageSize, kToolImageSize), ratio)
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

TControlBar::TControlBar(QWidget* parent) : QWidget(parent) {}

void TControlBar::paintEvent(QPaintEvent*) {
  // The band's gripper: two raised ridges left of the tool bar.
  QPainter p(this);
  const int top = 3;
  const int bottom = height() - 4;
  for (int x : {3, 6}) {
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(x, top, x, bottom);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(x + 1, top, x + 1, bottom);
  }
}

TToolBar::TToolBar(QWidget* parent) : QWidget(parent) {}

QToolButton* TToolBar::AddButton(std::string_view objectName, int left, const QString& imagePath,
                                 const QString& hint, const QString& spokenName) {
  auto* button = new QToolButton(this);
  button->setObjectName(QStringFromUtf8(objectName));
  button->setGeometry(left, 0, kToolButtonWidth, kToolButtonHeight);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setProperty(kImagePath, imagePath);
  button->setIcon(ToolIcon(imagePath, *this));
  button->setIconSize(QSize(kToolImageSize, kToolImageSize));
  button->setToolTip(hint);
  button->setAccessibleName(spokenName);
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

QWidget* TToolBar::AddSeparator(std::string_view objectName, int left) {
  auto* separator = new TToolSeparator(this);
  separator->setObjectName(QStringFromUtf8(objectName));
  separator->setGeometry(left, 0, kToolSeparatorWidth, kToolButtonHeight);
  return separator;
}

}  // namespace dorvane
