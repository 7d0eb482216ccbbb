#pragma once

#include <QWidget>
#include <optional>

#include "controls/Lines.h"

namespace dorvane {

// The Qt control of a TLine: a child widget with no background of its own that paints the
// line through QtCanvas. Every rule lives in TLine.
//
// Use (the About box's etched separator):
//   auto* black = new LineWidget(dialog);
//   black->setGeometry(86, 158, 196, 65);   // a layout leaving the height out keeps 65
//   black->Line().SetLine(ltHorizontal);    // 196 x 10 after its first paint, line at y = 4
//   auto* white = new LineWidget(dialog);
//   white->setGeometry(86, 159, 196, 65);
//   white->Line().Pen().SetColor(clWhite);
//   white->Line().SetLine(ltHorizontal);
class LineWidget : public QWidget, private LineHost {
  Q_OBJECT

 public:
  explicit LineWidget(QWidget* parent = nullptr);
  ~LineWidget() override;

  TLine& Line() { return line_; }
  const TLine& Line() const { return line_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // LineHost
  void Invalidate() override;
  Rect Bounds() const override;
  void SetBounds(const Rect& bounds) override;

  void ApplyPendingBounds();

  // A size the line gives itself while painting waits until the paint is over.
  bool painting_ = false;
  std::optional<Rect> pending_;
  TLine line_;
};

}  // namespace dorvane
