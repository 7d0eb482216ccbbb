#pragma once

#include <QLabel>
#include <QWidget>

#include <span>
#include <string>
#include <vector>

#include "forms/Layout.h"

namespace dorvane {

// A status bar of fixed-width sunken panels. Each panel is its own label, so changing one
// text repaints only that panel.
class TStatusBar : public QWidget {
  Q_OBJECT

 public:
  TStatusBar(QWidget* parent, std::span<const StatusPanelLayout> panels);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  QLabel* Panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }
  std::string PanelText(int index) const;
  void SetPanelText(int index, const std::string& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QLabel*> panels_;
};

}  // namespace dorvane
