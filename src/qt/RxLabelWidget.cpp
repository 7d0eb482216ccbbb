#include "qt/RxLabelWidget.h"

#include <QApplication>
#include <QCursor>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QThread>
#include <algorithm>

#include "qt/QtCanvas.h"
#include "qt/QtMouseButton.h"
#include "text/Ascii.h"

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

namespace {

Point ToPoint(const QPoint& p) {
  return {p.x(), p.y()};
}

// The key Alt is combined with to type an accelerator character.
int KeyOf(char32_t ch) {
  if (IsAsciiLetter(ch)) return static_cast<int>(AsciiUpper(ch));
  if (ch < 0x10000) return QChar(static_cast<char16_t>(ch)).toUpper().unicode();
  return static_cast<int>(ch);
}

}  // namespace

RxLabelWidget::RxLabelWidget(QWidget* parent) : QWidget(parent), label_(*this) {
  setFocusPolicy(Qt::NoFocus);
  connect(qApp, &QApplication::focusChanged, this, &RxLabelWidget::OnFocusChanged);
}

RxLabelWidget::~RxLabelWidget() = default;

void RxLabelWidget::SetFocusWidget(QWidget* widget) {
  if (widget == FocusWidget()) return;
  disconnect(focusTargetGone_);
  label_.SetFocusControl(nullptr);
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

QSize RxLabelWidget::sizeHint() const {
  return size();
}

bool RxLabelWidget::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Shortcut: {
      const auto* shortcut = static_cast<QShortcutEvent*>(event);
      if (shortcut->shortcutId() == shortcutId_ && shortcutId_ != 0) {
        if (label_.DialogChar(shortcutChar_)) return true;
      }
      break;
    }
    case QEvent::ShowToParent:
    case QEvent::HideToParent: {
      const bool handled = QWidget::event(event);
      label_.VisibleChanged();
      return handled;
    }
    default:
      break;
  }
  return QWidget::event(event);
}

void RxLabelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(painter, palette());
  label_.Paint(canvas);
  const std::string cut = label_.ToolTipText(canvas);
  const QString tip = cut.empty() ? QString() : PlainToolTip(QString::fromStdString(cut));
  if (toolTip() != tip) setToolTip(tip);
}

void RxLabelWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
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
    default:
      break;
  }
}

void RxLabelWidget::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  label_.MouseEntered();
}

void RxLabelWidget::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  label_.MouseLeft();
}

void RxLabelWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    label_.WMRButtonDown(p.x(), p.y());
  } else {
    label_.MouseDown(MouseButtonOf(event->button()), p.x(), p.y());
  }
}

void RxLabelWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    label_.WMRButtonUp(p.x(), p.y());
  } else {
    label_.MouseUp(MouseButtonOf(event->button()), p.x(), p.y());
  }
}

void RxLabelWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) label_.DblClick();
  mousePressEvent(event);
}

void RxLabelWidget::OnFocusChanged(QWidget*, QWidget* now) {
  const bool target = focusTarget_ != nullptr && focusTarget_->Holds(now);
  label_.FocusChanged(target ? focusTarget_.get() : nullptr);
}

// --- LabelHost ------------------------------------------------------------------------------

void RxLabelWidget::Invalidate() {
  update();
}

Rect RxLabelWidget::Bounds() const {
  const QRect g = geometry();
  return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void RxLabelWidget::SetBounds(const Rect& bounds) {
  setGeometry(bounds.Left, bounds.Top, std::clamp(bounds.Width(), 0, QWIDGETSIZE_MAX),
              std::clamp(bounds.Height(), 0, QWIDGETSIZE_MAX));
}

bool RxLabelWidget::IsEnabled() const {
  return isEnabled();
}

bool RxLabelWidget::IsVisible() const {
  return !isHidden();
}

bool RxLabelWidget::UseRightToLeftAlignment() const {
  return layoutDirection() == Qt::RightToLeft;
}

bool RxLabelWidget::UseRightToLeftReading() const {
  return layoutDirection() == Qt::RightToLeft;
}

Point RxLabelWidget::CursorPos() const {
  return ToPoint(QCursor::pos());
}

bool RxLabelWidget::IsTopmostControlAt(Point screen) const {
  return QApplication::widgetAt(QPoint(screen.x, screen.y)) == this;
}

WindowHandle RxLabelWidget::ActiveWindow() const {
  return QApplication::activeWindow();
}

void RxLabelWidget::EnumThreadWindows(const std::function<bool(WindowHandle)>& visit) const {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->thread() != QThread::currentThread()) continue;
    if (!visit(window)) return;
  }
}

std::unique_ptr<Canvas> RxLabelWidget::BorrowScreenCanvas() {
  return std::make_unique<QtCanvas>(palette());
}

Font RxLabelWidget::ParentFont() const {
  return FromQFont(font(), logicalDpiY(), clWindowText);
}

TColor RxLabelWidget::ParentColor() const {
  const QWidget* parent = parentWidget();
  const QColor c = parent != nullptr ? parent->palette().color(parent->backgroundRole())
                                     : palette().color(QPalette::Window);
  return PlainColor(c);
}

void RxLabelWidget::OpaqueChanged(bool opaque) {
  setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void RxLabelWidget::AcceleratorChanged() {
  setAccessibleName(QString::fromStdString(label_.AccessibleText()));
  if (shortcutId_ != 0) releaseShortcut(shortcutId_);
  shortcutId_ = 0;
  shortcutChar_ = label_.Accelerator();
  if (shortcutChar_ == 0) return;
  shortcutId_ = grabShortcut(
      QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(KeyOf(shortcutChar_)))));
}

}  // namespace dorvane
