#include "qt/ToolBar.h"

#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

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

QToolButton* TToolBar::AddButton(const char* objectName, const QString& imagePath,
                                 const std::string& hint) {
  auto* button = new QToolButton(this);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setGeometry(nextLeft_, 0, kButtonWidth, kButtonHeight);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIcon(QIcon(imagePath));
  button->setIconSize(QSize(16, 16));
  const QString tip = QString::fromStdString(hint);
  button->setToolTip(tip);
  QString name = tip;
  if (name.endsWith(u'.')) name.chop(1);
  button->setAccessibleName(name);
  nextLeft_ += kButtonWidth;
  return button;
}

QWidget* TToolBar::AddSeparator(const char* objectName) {
  auto* separator = new TToolSeparator(this);
  separator->setObjectName(QString::fromLatin1(objectName));
  separator->setGeometry(nextLeft_, 0, kSeparatorWidth, kButtonHeight);
  nextLeft_ += kSeparatorWidth;
  return separator;
}

}  // namespace dorvane
