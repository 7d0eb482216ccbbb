#pragma once

#include <QLabel>
#include <QWidget>

#include <initializer_list>
#include <string>
#include <vector>

namespace dorvane {

// A status bar of fixed-width sunken panels. Each panel is its own label, so changing one
// text repaints only that panel.
class TStatusBar : public QWidget {
  Q_OBJECT

 public:
  TStatusBar(QWidget* parent, std::initializer_list<int> widths);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  QLabel* Panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }
  std::string PanelText(int index) const;
  void SetPanelText(int index, const std::string& text);

 private:
  std::vector<QLabel*> panels_;
  std::vector<int> widths_;
};

}  // namespace dorvane
