#include "qt/StatusBar.h"

namespace dorvane {

namespace {
constexpr int kPanelGap = 2;  // between two panels
constexpr int kTopBorder = 2;  // above the panels, which fill the rest of the bar's height
}  // namespace

TStatusBar::TStatusBar(QWidget* parent, std::span<const StatusPanelLayout> panels)
    : QWidget(parent) {
  int left = 0;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setTextFormat(Qt::PlainText);
    panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    panel->setIndent(2);
    // Opaque, so that a new text repaints the panel alone and not the bar beneath it.
    panel->setAutoFillBackground(true);
    panel->setGeometry(left, kTopBorder, panels[i].width, 0);
    left += panels[i].width + kPanelGap;
    panels_.push_back(panel);
    SetPanelText(static_cast<int>(i), std::string(panels[i].text));
  }
}

void TStatusBar::resizeEvent(QResizeEvent*) {
  for (QLabel* panel : panels_) panel->resize(panel->width(), height() - kTopBorder);
}

std::string TStatusBar::PanelText(int index) const {
  return Panel(index)->text().toStdString();
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  const QString value = QString::fromStdString(text);
  QLabel* panel = Panel(index);
  if (panel->text() != value) panel->setText(value);
}

}  // namespace dorvane
