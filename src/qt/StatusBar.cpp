#include "qt/StatusBar.h"

#include <QResizeEvent>

#include <algorithm>

#include "qt/QtCanvas.h"

namespace dorvane {

constexpr int kPanelGap = 2;   // between two panels
constexpr int kTopBorder = 2;  // above the panels, which fill the rest of the bar's height

TStatusBar::TStatusBar(QWidget* parent, std::span<const StatusPanelLayout> panels)
    : QWidget(parent), layout_(panels) {
  int left = 0;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    panel->setIndent(2);
    // Opaque, so that a new text repaints the panel alone and not the bar beneath it.
    panel->setAutoFillBackground(true);
    panel->setGeometry(left, kTopBorder, panels[i].width, 0);
    left += panels[i].width + kPanelGap;
    panels_.push_back(panel);
    SetPanelText(static_cast<int>(i), std::string(panels[i].text));
  }
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
  for (QLabel* panel : panels_) {
    const int panelWidth = panel != panels_.back()
                               ? panel->width()
                               : std::max(layout_.back().width, width() - panel->x());
    panel->resize(panelWidth, height() - kTopBorder);
    FitText(panel);
  }
}

void TStatusBar::FitText(QLabel* panel) {
  // A text a little too wide is set a little narrower; one that still does not fit is shown at
  // its own width, cut, and whole in the tooltip.
  const int room = panel->contentsRect().width() - panel->indent();
  QFont font = panel->parentWidget()->font();
  const std::optional<int> stretch = PanelTextStretch(room, [&](int at) {
    font.setStretch(at);
    return QFontMetrics(font).horizontalAdvance(panel->text());
  });
  const bool fits = stretch.has_value();
  if (fits && *stretch != 100) {
    font.setStretch(*stretch);
    if (panel->font() != font) panel->setFont(font);
  } else if (panel->testAttribute(Qt::WA_SetFont)) {
    panel->setFont(QFont());  // back to the bar's own, inherited
  }
  panel->setToolTip(fits ? QString() : PlainToolTip(panel->text()));
}

}  // namespace dorvane
