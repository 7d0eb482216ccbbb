#pragma once

#include <QLabel>
#include <QWidget>

#include <span>
#include <string>
#include <vector>

#include "forms/Layout.h"

namespace dorvane {

// A status bar of sunken panels of fixed width, but the last, which takes the rest of the bar
// as a Windows status bar's last part does. Each panel is its own label, so changing one text
// repaints only that panel. A text a little wider than its panel is set a little narrower; one
// that still does not fit is shown whole in its tooltip.
class TStatusBar : public QWidget {
  Q_OBJECT

 public:
  TStatusBar(QWidget* parent, std::span<const StatusPanelLayout> panels);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  QLabel* Panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }
  std::string PanelText(int index) const { return Panel(index)->text().toStdString(); }
  void SetPanelText(int index, const std::string& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitText(QLabel* panel);

  std::vector<QLabel*> panels_;
  std::span<const StatusPanelLayout> layout_;  // the table's, which outlives the bar
};

}  // namespace dorvane
