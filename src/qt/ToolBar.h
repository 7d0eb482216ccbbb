#pragma once

#include <QToolButton>
#include <QWidget>

#include <string>

namespace dorvane {

// The band that holds the tool bar: a gripper at its left edge, no bevel.
class TControlBar : public QWidget {
  Q_OBJECT

 public:
  explicit TControlBar(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A flat tool bar whose buttons and separators sit side by side from the left edge.
class TToolBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kButtonWidth = 23;
  static constexpr int kButtonHeight = 22;
  static constexpr int kSeparatorWidth = 8;

  explicit TToolBar(QWidget* parent);

  // A button with its image, its hint as tooltip and the hint (without its full stop) as
  // accessible name. Tool buttons never take the keyboard focus; the menu reaches the same
  // commands from the keyboard.
  QToolButton* AddButton(const char* objectName, const QString& imagePath, const std::string& hint);
  QWidget* AddSeparator(const char* objectName);

 private:
  int nextLeft_ = 0;
};

}  // namespace dorvane
