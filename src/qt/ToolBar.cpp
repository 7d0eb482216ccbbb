#include "qt/ToolBar.h"

#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "forms/Layout.h"
#include "platform/QtText.h"

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
  button->setIcon(QIcon(imagePath));
  button->setIconSize(QSize(kToolImageSize, kToolImageSize));
  button->setToolTip(hint);
  button->setAccessibleName(spokenName);
  return button;
}

QWidget* TToolBar::AddSeparator(std::string_view objectName, int left) {
  auto* separator = new TToolSeparator(this);
  separator->setObjectName(QStringFromUtf8(objectName));
  separator->setGeometry(left, 0, kToolSeparatorWidth, kToolButtonHeight);
  return separator;
}

}  // namespace dorvane
