#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "controls/LabelHost.h"
#include "controls/RXCtrls.h"
#include "qt/LineWidget.h"
#include "qt/QtCanvas.h"

namespace dorvane {

class WidgetFocusTarget;

// The Qt control of a TRxLabel: a child widget that paints the label through QtCanvas, over
// its parent's background while Transparent is on and over Color while it is off, and hands
// Qt's notifications to the label (Alt + accelerator, focus changes, pointer enter and leave,
// enabling, showing, font, palette, button presses). Every rule lives in TRxLabel. With AutoSize
// on (the default) every caption or font change resizes the widget to the text: turn it off
// before giving a fixed geometry.
class RxLabelWidget : public QWidget, private LabelHost {
  Q_OBJECT

 public:
  explicit RxLabelWidget(QWidget* parent = nullptr);
  ~RxLabelWidget() override;

  TRxLabel& Label() { return label_; }

  // The widget the label's accelerator hands the focus to (its FocusControl); null clears it.
  // Destroying that widget clears it too.
  void SetFocusWidget(QWidget* widget);
  QWidget* FocusWidget() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // LabelHost
  void Invalidate() override { update(); }
  Rect Bounds() const override { return WidgetBounds(*this); }
  void SetBounds(const Rect& bounds) override { SetWidgetBounds(*this, bounds); }
  bool IsEnabled() const override { return isEnabled(); }
  bool IsVisible() const override { return !isHidden(); }
  bool UseRightToLeftAlignment() const override { return layoutDirection() == Qt::RightToLeft; }
  bool UseRightToLeftReading() const override { return layoutDirection() == Qt::RightToLeft; }
  Point CursorPos() const override;
  bool IsTopmostControlAt(Point screen) const override {
    return QApplication::widgetAt(screen.x, screen.y) == this;
  }
  WindowHandle ActiveWindow() const override { return QApplication::activeWindow(); }
  void EnumThreadWindows(const std::function<bool(WindowHandle)>& visit) const override;
  std::unique_ptr<Canvas> BorrowScreenCanvas() override {
    return std::make_unique<QtCanvas>(palette());
  }
  Font ParentFont() const override { return FromQFont(font(), logicalDpiY(), clWindowText); }
  TColor ParentColor() const override;
  void OpaqueChanged(bool opaque) override { setAttribute(Qt::WA_OpaquePaintEvent, opaque); }
  void AcceleratorChanged() override;

  void OnFocusChanged(QWidget* old, QWidget* now);

  std::unique_ptr<WidgetFocusTarget> focusTarget_;
  QMetaObject::Connection focusTargetGone_;
  int shortcutId_ = 0;
  char32_t shortcutChar_ = 0;
  // Last, so that the label goes first and unregisters from its focus target.
  TRxLabel label_;
};

}  // namespace dorvane
