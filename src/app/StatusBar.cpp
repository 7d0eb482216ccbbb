#include "app/StatusBar.h"

#include <QResizeEvent>

#include <algorithm>

#include "gfx/QtCanvas.h"

namespace dorvane {

namespace {
constexpr int kPanelGap = 2;  // between two panels
constexpr int kTopBorder = 2;
constexpr int kPanelHeight = 17;  // the bar is 19 high
}  // namespace

TStatusBar::TStatusBar(QWidget* parent, std::initializer_list<int> widths)
    : QWidget(parent), widths_(widths) {
  int left = 0;
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setTextFormat(Qt::PlainText);
    panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    panel->setIndent(2);
    // Opaque, so that a new text repaints the panel alone and not the bar beneath it.
    panel->setAutoFillBackground(true);
    panel->setGeometry(left, kTopBorder, widths_[i], kPanelHeight);
    left += widths_[i] + kPanelGap;
    panels_.push_back(panel);
  }
}

std::string TStatusBar::PanelText(int index) const {
  return Panel(index)->text().toStdString();
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  const QString value = QString::fromStdString(text);
  QLabel* panel = Panel(index);
  if (panel->text() == value) return;
  panel->setText(value);
  FitText(panel);
}

void TStatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (panels_.empty()) return;
  QLabel* last = panels_.back();
  last->resize(std::max(widths_.back(), width() - last->x()), last->height());
  for (QLabel* panel : panels_) FitText(panel);
}

void TStatusBar::FitText(QLabel* panel) {
  // A text a little too wide is set a little narrower (down to 85 %); one that still does not
  // fit is shown at its own width, cut, and whole in the tooltip.
  const int room = panel->contentsRect().width() - panel->indent();
  QFont font = panel->parentWidget()->font();
  bool fits = false;
  for (const int stretch : {100, 95, 90, 85}) {
    font.setStretch(stretch);
    if (QFontMetrics(font).horizontalAdvance(panel->text()) <= room) {
      fits = true;
      break;
    }
  }
  if (fits && font.stretch() != 100) {
    if (panel->font() != font) panel->setFont(font);
  } else if (panel->testAttribute(Qt::WA_SetFont)) {
    panel->setFont(QFont());  // back to the bar's own, inherited
  }
  panel->setToolTip(fits ? QString() : PlainToolTip(panel->text()));
}

}  // namespace dorvane
