#pragma once

#include <QWidget>

#include "controls/Lines.h"

namespace dorvane {

// The bounds of a child widget in its parent's coordinates, as the controls hold them.
Rect WidgetBounds(const QWidget& widget);
void SetWidgetBounds(QWidget& widget, const Rect& bounds);

// The Qt control of a TLine: a child widget with no background of its own that paints the
// line through QtCanvas. Every rule lives in TLine.
class LineWidget : public QWidget, private LineHost {
  Q_OBJECT

 public:
  explicit LineWidget(QWidget* parent = nullptr) : QWidget(parent), line_(*this) {}

  TLine& Line() { return line_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // LineHost
  void Invalidate() override { update(); }
  Rect Bounds() const override { return WidgetBounds(*this); }
  void SetBounds(const Rect& bounds) override { SetWidgetBounds(*this, bounds); }
  // Resizing from inside a paint event is not safe: once this one is over.
  void BoundsPending(TLine&) override {
    QMetaObject::invokeMethod(
        this, [this] { line_.ApplyPendingBounds(); }, Qt::QueuedConnection);
  }

  TLine line_;
};

}  // namespace dorvane
