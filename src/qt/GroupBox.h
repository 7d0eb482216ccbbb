#pragma once

#include <QGroupBox>

namespace dorvane {

// A group box drawn as the windows' layouts expect it: an etched frame whose top edge runs
// through the middle of the caption line, the caption (if any) set into it at the left.
class TGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit TGroupBox(QWidget* parent, const QString& caption = QString());

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace dorvane
