#include "win32/ControlWindows.h"

#include <functional>
#include <string>

#include <commctrl.h>
#include <oleacc.h>

#include "forms/Handlers.h"
#include "platform/win32/Wide.h"
#include "win32/AccessibleProxy.h"
#include "win32/ToolTips.h"

#include "win32/ControlWindow.h"

namespace dorvane::win32 {

namespace {

// A window as a label's FocusControl.
class WindowFocusTarget final : public FocusableControl {
 public:
  explicit WindowFocusTarget(HWND window) : window_(window) {}
  HWND Window() const { return window_; }
  bool CanFocus() const override {
    return ::IsWindow(window_) && ::IsWindowVisible(window_) && ::IsWindowEnabled(window_);
  }
  void SetFocus() override { ::SetFocus(window_); }

 private:
  HWND window_;
};

class RxLabelWindow final : public GraphicWindow, private LabelHost {
 public:
  RxLabelWindow(int dpi, const Font& parentFont)
      : GraphicWindow(dpi), parentFont_(parentFont), label_(*this) {}
  ~RxLabelWindow() override { SetFocusWindow(nullptr); }

  TRxLabel& Label() { return label_; }

  // The window the accelerator gives the focus to; its focus changes reach the label through a
  // subclass, and its end clears it.
  void SetFocusWindow(HWND target) {
    if (focusTarget_ != nullptr) {
      ::RemoveWindowSubclass(focusTarget_->Window(), TargetProc, reinterpret_cast<UINT_PTR>(this));
      focusTarget_.reset();  // the label hears of its removal
    }
    if (target == nullptr) return;
    focusTarget_ = std::make_unique<WindowFocusTarget>(target);
    ::SetWindowSubclass(target, TargetProc, reinterpret_cast<UINT_PTR>(this),
                        reinterpret_cast<DWORD_PTR>(this));
    label_.SetFocusControl(focusTarget_.get());
    label_.FocusChanged(::GetFocus() == target ? focusTarget_.get() : nullptr);
  }

 private:
  static LRESULT CALLBACK TargetProc(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self) {
    auto* label = reinterpret_cast<RxLabelWindow*>(self);
    switch (message) {
      case WM_SETFOCUS:
        RunHandler([&] { label->label_.FocusChanged(label->focusTarget_.get()); });
        break;
      case WM_KILLFOCUS:
        RunHandler([&] { label->label_.FocusChanged(nullptr); });
        break;
      case WM_NCDESTROY: {
        const LRESULT result = ::DefSubclassProc(target, message, wParam, lParam);
        RunHandler([&] { label->SetFocusWindow(nullptr); });
        return result;
      }
      default:
        break;
    }
    return ::DefSubclassProc(target, message, wParam, lParam);
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintControl(GdiCanvas& canvas) override {
    label_.Paint(canvas);
    tips_.Set(::GetParent(window_), reinterpret_cast<UINT_PTR>(window_), nullptr,
              platform::Wide(label_.ToolTipText(canvas)));
  }
  void DpiChanged() override { label_.FontChanged(); }

  // LabelHost
  void Invalidate() override { InvalidateWithAbove(); }
  Rect Bounds() const override { return GraphicWindow::Bounds(); }
  void SetBounds(const Rect& bounds) override { GraphicWindow::SetBounds(bounds); }
  bool IsEnabled() const override { return window_ == nullptr || ::IsWindowEnabled(window_); }
  bool IsVisible() const override { return HasStyle(GWL_STYLE, WS_VISIBLE); }
  bool UseRightToLeftAlignment() const override { return HasStyle(GWL_EXSTYLE, WS_EX_LAYOUTRTL); }
  bool UseRightToLeftReading() const override { return HasStyle(GWL_EXSTYLE, WS_EX_RTLREADING); }
  bool HasStyle(int which, LONG style) const {
    return window_ != nullptr && (::GetWindowLongW(window_, which) & style) != 0;
  }
  Point CursorPos() const override {
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
  }
  bool IsTopmostControlAt(Point screen) const override;
  WindowHandle ActiveWindow() const override { return ::GetActiveWindow(); }
  void EnumThreadWindows(const std::function<bool(WindowHandle)>& visit) const override {
    const std::function<bool(HWND)> each = visit;
    ::EnumThreadWindows(::GetCurrentThreadId(), VisitWindow, reinterpret_cast<LPARAM>(&each));
  }
  std::unique_ptr<Canvas> BorrowScreenCanvas() override { return GdiCanvas::OnScreen(dpi_); }
  Font ParentFont() const override { return parentFont_; }
  TColor ParentColor() const override;
  void OpaqueChanged(bool) override {}
  void AcceleratorChanged() override {
    // The window's text is what a screen reader reads.
    if (window_ != nullptr)
      ::SetWindowTextW(window_, platform::Wide(label_.AccessibleText()).c_str());
  }

  Font parentFont_;
  ToolTips tips_;  // made for the first caption cut
  std::unique_ptr<WindowFocusTarget> focusTarget_;
  bool tracking_ = false;
  TRxLabel label_;
};

bool RxLabelWindow::IsTopmostControlAt(Point screen) const {
  if (window_ == nullptr) return false;
  // Down from the top-level window, disabled windows included.
  HWND w = ::GetAncestor(window_, GA_ROOT);
  while (w != nullptr) {
    POINT p{screen.x, screen.y};
    ::ScreenToClient(w, &p);
    HWND child = ::ChildWindowFromPointEx(w, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (child == nullptr || child == w) break;
    w = child;
  }
  return w == window_;
}

TColor RxLabelWindow::ParentColor() const {
  if (window_ == nullptr) return clBtnFace;
  // While painting, the parent has just given its brush for this paint.
  HBRUSH brush = parentBrush_;
  if (brush == nullptr) {
    HDC dc = ::GetDC(window_);
    brush = ParentBrush(dc);
    ::ReleaseDC(window_, dc);
  }
  LOGBRUSH lb{};
  if (::GetObjectW(brush, sizeof lb, &lb) == sizeof lb && lb.lbStyle == BS_SOLID) {
    return lb.lbColor & 0x00FFFFFFu;
  }
  return clBtnFace;
}

LRESULT RxLabelWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  // The extra buttons are not the label's: the system makes commands of them.
  if (const std::optional<MouseEvent> mouse = MouseEventOf(message, lParam);
      mouse && mouse->action != MouseEvent::kMove && !IsExtraButton(message)) {
    label_.ButtonEvent(*mouse);
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window_, 0};
        tracking_ = ::TrackMouseEvent(&track) != FALSE;
        label_.MouseEntered();
      }
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      label_.MouseLeft();
      return 0;
    case WM_ENABLE:
      label_.EnabledChanged();
      return 0;
    case WM_GETOBJECT:  // read as a label, by its window text
      return AnswerGetObject(window_, wParam, lParam, ROLE_SYSTEM_STATICTEXT);
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) label_.VisibleChanged();
      break;
    }
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace

HWND CreateRxLabelWindow(HWND parent, int id, const ControlLayout& row, const Font& font,
                         const RECT& bounds, int dpi) {
  auto object = std::make_unique<RxLabelWindow>(dpi, font);
  TRxLabel& label = object->Label();
  // Before the bounds, which it would otherwise fit to the text.
  if (row.width != kAutoSize) label.SetAutoSize(false);
  // An auto-sized label starts at its own size and fits its text from its caption on.
  RECT device = bounds;
  if (row.width == kAutoSize) device.right = device.left + ToDevice(label.Width(), dpi);
  if (row.height == kAutoSize) device.bottom = device.top + ToDevice(label.Height(), dpi);
  const HWND handle =
      CreateControl(std::move(object), kRxLabelClass, {}, WS_VISIBLE, parent, id, device);
  if (handle == nullptr) return nullptr;
  const Rect at = ToDips(device, dpi);
  label.SetBounds(at.Left, at.Top, at.Width(), at.Height());
  label.SetAlignment(row.alignment);
  if (row.font != nullptr) label.SetFont(font);
  label.SetCaption(std::string(row.text));
  return handle;
}

TRxLabel& RxLabelOf(HWND window) {
  return ObjectOf<RxLabelWindow>(window).Label();
}

void SetLabelFocusWindow(HWND label, HWND target) {
  ObjectOf<RxLabelWindow>(label).SetFocusWindow(target);
}

bool LabelsDialogChar(HWND root, wchar_t ch) {
  bool taken = false;
  const std::function<bool(HWND)> offer = [&](HWND window) {
    auto* label = dynamic_cast<RxLabelWindow*>(WindowObject(window));
    taken = label != nullptr && label->Label().DialogChar(ch);
    return !taken;
  };
  ::EnumChildWindows(root, VisitWindow, reinterpret_cast<LPARAM>(&offer));
  return taken;
}

}  // namespace dorvane::win32
