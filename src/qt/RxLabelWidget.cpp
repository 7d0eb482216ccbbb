#include "qt/RxLabelWidget.h"

#include <QCursor>
#include <QKeySequence>
#include <QPainter>
#include <QShortcutEvent>

#include "qt/QtKeys.h"

namespace dorvane {

// A QWidget as the label's FocusControl. Destroying it sends the label its removal notice.
class WidgetFocusTarget final : public FocusableControl {
 public:
  explicit WidgetFocusTarget(QWidget* widget) : widget_(widget) {}

  QWidget* Widget() const { return widget_; }

  // A composite control (a spin box and its edit) has the focus when any part of it has.
  bool Holds(const QWidget* focused) const {
    return focused != nullptr && widget_ != nullptr &&
           (focused == widget_ || widget_->isAncestorOf(focused) ||
            widget_->focusProxy() == focused);
  }

  bool CanFocus() const override {
    return widget_ != nullptr && widget_->isVisible() && widget_->isEnabled() &&
           widget_->focusPolicy() != Qt::NoFocus;
  }
  void SetFocus() override {
    if (widget_ != nullptr) widget_->setFocus(Qt::ShortcutFocusReason);
  }

 private:
  QPointer<QWidget> widget_;
};

RxLabelWidget::RxLabelWidget(QWidget* parent) : QWidget(parent), label_(*this) {
  connect(qApp, &QApplication::focusChanged, this, &RxLabelWidget::OnFocusChanged);
}

RxLabelWidget::~RxLabelWidget() = default;

void RxLabelWidget::SetFocusWidget(QWidget* widget) {
  if (widget == FocusWidget()) return;
  disconnect(focusTargetGone_);
  focusTarget_.reset();
  if (widget == nullptr) return;
  focusTarget_ = std::make_unique<WidgetFocusTarget>(widget);
  // Dropping the adapter sends the label its removal notice.
  focusTargetGone_ = connect(widget, &QObject::destroyed, this, [this] { focusTarget_.reset(); });
  label_.SetFocusControl(focusTarget_.get());
  label_.FocusChanged(focusTarget_->Holds(QApplication::focusWidget()) ? focusTarget_.get()
                                                                       : nullptr);
}

QWidget* RxLabelWidget::FocusWidget() const {
  return focusTarget_ != nullptr ? focusTarget_->Widget() : nullptr;
}

bool RxLabelWidget::event(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Shortcut && shortcutId_ != 0 &&
      static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_ &&
      label_.DialogChar(shortcutChar_)) {
    return true;
  }
  if (const std::optional<MouseEvent> mouse = MouseEventOf(*event);
      mouse && mouse->action != MouseEvent::kMove) {
    label_.ButtonEvent(*mouse);
    return true;
  }
  // Qt's own handling first, then the label's.
  const bool handled = QWidget::event(event);
  switch (type) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
      label_.VisibleChanged();
      break;
    case QEvent::EnabledChange:
      label_.EnabledChanged();
      break;
    case QEvent::FontChange:
      if (label_.ParentFont()) label_.FontChanged();
      break;
    case QEvent::PaletteChange:
      label_.ParentColorChanged();
      break;
    case QEvent::LayoutDirectionChange:
      update();
      break;
    case QEvent::Enter:
      label_.MouseEntered();
      break;
    case QEvent::Leave:
      label_.MouseLeft();
      break;
    default:
      break;
  }
  return handled;
}

void RxLabelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(painter, palette());
  label_.Paint(canvas);
  const QString tip = PlainToolTip(QString::fromStdString(label_.ToolTipText(canvas)));
  if (toolTip() != tip) setToolTip(tip);
}

void RxLabelWidget::OnFocusChanged(QWidget*, QWidget* now) {
  const bool target = focusTarget_ != nullptr && focusTarget_->Holds(now);
  label_.FocusChanged(target ? focusTarget_.get() : nullptr);
}

Point RxLabelWidget::CursorPos() const {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

void RxLabelWidget::EnumThreadWindows(const std::function<bool(WindowHandle)>& visit) const {
  // Widgets live in the program's one GUI thread.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!visit(window)) return;
  }
}

TColor RxLabelWidget::ParentColor() const {
  const QWidget* parent = parentWidget();
  const QColor c = parent != nullptr ? parent->palette().color(parent->backgroundRole())
                                     : palette().color(QPalette::Window);
  return PlainColor(c);
}

void RxLabelWidget::AcceleratorChanged() {
  setAccessibleName(QString::fromStdString(label_.AccessibleText()));
  if (shortcutId_ != 0) releaseShortcut(shortcutId_);
  shortcutId_ = 0;
  shortcutChar_ = label_.Accelerator();
  if (shortcutChar_ == 0) return;
  shortcutId_ = grabShortcut(QKeySequence(
      QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(QChar::toUpper(shortcutChar_)))));
}

}  // namespace dorvane
