#pragma once

#include <QToolButton>
#include <QWidget>

#include <string_view>

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
  explicit TToolBar(QWidget* parent);

  // A button at `left` with its image, its hint as tooltip and its spoken name. Tool buttons
  // never take the keyboard focus; the menu reaches the same commands from the keyboard.
  QToolButton* AddButton(std::string_view objectName, int left, const QString& imagePath,
                         const QString& hint, const QString& spokenName);
  QWidget* AddSeparator(std::string_view objectName, int left);

 protected:
  // A new palette may ask for high contrast, or stop asking: the pictures follow it.
  void changeEvent(QEvent* event) override;
};

}  // namespace dorvane
