#pragma once

#include <QWidget>

#include <span>
#include <string_view>

#include "forms/Layout.h"

namespace dorvane {

// The band that holds the tool bar: a gripper at its left edge, no bevel.
QWidget* NewControlBar(QWidget* parent);

// A flat tool bar whose buttons and separators sit side by side from the left edge.
class TToolBar : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  // The row's separator, or its button (a QToolButton) with its picture of `images`, its hint
  // as tooltip and its spoken name. Tool buttons never take the keyboard focus; the menu
  // reaches the same commands from the keyboard.
  QWidget* Add(const ToolButtonLayout& row, std::span<const std::string_view> images);

 protected:
  // A new palette may ask for high contrast, or stop asking: the pictures follow it.
  void changeEvent(QEvent* event) override;
};

}  // namespace dorvane
