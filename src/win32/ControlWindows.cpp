#include "win32/ControlWindows.h"

#include <windowsx.h>  // after Win32.h (via ControlWindows.h)

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "forms/Handlers.h"
#include "gfx/TextFlags.h"
#include "gfx/TextLayout.h"
#include "platform/win32/Wide.h"
#include "win32/GdiCanvas.h"
#include "win32/Pictures.h"

namespace dorvane::win32 {

namespace {

constexpr wchar_t kCalendarClass[] = L"DorvaneCalendar";
constexpr wchar_t kRxLabelClass[] = L"DorvaneRxLabel";
constexpr wchar_t kLineClass[] = L"DorvaneLine";

// Posted to a label or line that sized itself while painting: the new bounds apply after.
constexpr UINT kApplyBounds = WM_USER + 1;
constexpr UINT_PTR kRepeatTimer = 1;
constexpr TColor clWindowFrame = 0xFF000006;

HINSTANCE g_instance = nullptr;

// The button of a mouse message, as the controls know it. Left and right are themselves; every
// other button (middle, the extra ones) is the middle button, which clicks nothing in any
// control.
TMouseButton MouseButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return TMouseButton::mbLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return TMouseButton::mbRight;
    default:
      return TMouseButton::mbMiddle;
  }
}

TShiftState ShiftState() {
  TShiftState shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

bool IsArrow(WPARAM key) {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

RECT ClientRect(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  return r;
}

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// An off-screen bitmap to paint in, then copied in one go (no flicker on a month step), at the
// update rectangle's place: one kept for the thread's paints and grown as needed, since making
// one for every paint costs more than the paint; a paint while it is in use gets its own.
class PaintBuffer {
 public:
  explicit PaintBuffer(const RECT& area)
      : area_(area), shared_(!Shared().busy), store_(shared_ ? Shared() : own_) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BufferDc& buffer = store_.buffer;
    if (!buffer.Holds() || width > buffer.Width() || height > buffer.Height()) {
      buffer.Hold(std::max(width, buffer.Width()), std::max(height, buffer.Height()));
    }
    store_.busy = true;
    saved_ = ::SaveDC(buffer.Dc());
    ::SetViewportOrgEx(buffer.Dc(), -area.left, -area.top, nullptr);
  }
  ~PaintBuffer() {
    ::RestoreDC(Dc(), saved_);
    store_.busy = false;
  }
  PaintBuffer(const PaintBuffer&) = delete;
  PaintBuffer& operator=(const PaintBuffer&) = delete;

  HDC Dc() const { return store_.buffer.Dc(); }
  void CopyTo(HDC target) {
    ::SetViewportOrgEx(Dc(), 0, 0, nullptr);
    ::BitBlt(target, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
             Dc(), 0, 0, SRCCOPY);
  }

 private:
  struct Store {
    BufferDc buffer;
    bool busy = false;
  };
  // The thread's buffer, which lives as long as the process (UI thread only).
  static Store& Shared() {
    static Store store;
    return store;
  }

  RECT area_;
  bool shared_;
  Store own_;
  Store& store_;
  int saved_ = 0;
};

// Bumped whenever a label or a line comes, goes or changes its place in the windows' order: the
// orders the graphic windows keep of their siblings are then read again (UI thread only). It
// starts above the 0 of an order never read.
unsigned g_graphicOrder = 1;

// The C++ side of one of our windows: its dpi, its bounds in 96-dpi pixels, and the painting
// shared by the three kinds (double buffered; WM_PRINTCLIENT paints into the DC given).
class ControlWindow {
 public:
  explicit ControlWindow(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}
  virtual ~ControlWindow() = default;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND Handle() const { return window_; }
  void Attach(HWND window) { window_ = window; }
  int Dpi() const { return dpi_; }
  void SetDpi(int dpi) {
    dpi_ = dpi > 0 ? dpi : 96;
    DpiChanged();
    ::InvalidateRect(window_, nullptr, FALSE);
  }

  LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam);

  // A label or a line: drawn over what lies below it.
  virtual bool IsGraphic() const { return false; }
  // Draws the control alone (no background) on the DC at the window's own coordinates.
  void PaintControlInto(HDC dc) {
    GdiCanvas canvas(dc, dpi_);
    painting_ = true;
    PaintControl(canvas);
    painting_ = false;
    if (pending_) ::PostMessageW(window_, kApplyBounds, 0, 0);
  }

 protected:
  // The bounds the control holds, in 96-dpi pixels of the parent's client area; before the
  // window exists, and while a paint is in progress, the ones it asked for.
  Rect BoundsDips() const { return pending_ ? *pending_ : bounds_; }
  void SetBoundsDips(const Rect& bounds) {
    pending_ = bounds;
    if (!painting_) ApplyPendingBounds();
  }

  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }
  virtual void Render(HDC dc, const RECT& update) = 0;
  virtual void PaintControl(GdiCanvas&) {}
  virtual void DpiChanged() {}
  virtual void Resized() {}

  HWND window_ = nullptr;
  int dpi_;

 private:
  void ApplyPendingBounds() {
    if (!pending_) return;
    const Rect r = *pending_;
    pending_.reset();
    bounds_ = r;
    if (window_ == nullptr) return;
    const RECT d = ToDevice(r, dpi_);
    ::SetWindowPos(window_, nullptr, d.left, d.top, std::max(0L, d.right - d.left),
                   std::max(0L, d.bottom - d.top), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Paint();

  Rect bounds_;
  std::optional<Rect> pending_;
  bool painting_ = false;
};

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The object of one of our windows; null for any other window, whose user data is not ours.
ControlWindow* WindowObject(HWND window) {
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC)) != ControlProc) {
    return nullptr;
  }
  return reinterpret_cast<ControlWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void ControlWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(window_, &ps);
  const RECT& u = ps.rcPaint;
  if (u.right > u.left && u.bottom > u.top) {
    PaintBuffer buffer(u);
    Render(buffer.Dc(), u);
    buffer.CopyTo(dc);
  }
  ::EndPaint(window_, &ps);
}

LRESULT ControlWindow::Message(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsGraphic() && (message == WM_CREATE || message == WM_DESTROY ||
                      (message == WM_WINDOWPOSCHANGED &&
                       (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER) == 0))) {
    ++g_graphicOrder;
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT: {
      const RECT client = ClientRect(window_);
      Render(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      // Moved or sized by the window that holds it: the 96-dpi bounds follow, unless they
      // are the same device pixels already.
      const RECT now = RectInParent(window_);
      const RECT held = ToDevice(bounds_, dpi_);
      if (!::EqualRect(&now, &held)) bounds_ = ToDips(now, dpi_);
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if ((pos->flags & SWP_NOSIZE) == 0) Resized();
      break;
    }
    case kApplyBounds:
      ApplyPendingBounds();
      return 0;
    default:
      break;
  }
  return Handle(message, wParam, lParam);
}

// ---- The calendar ----

class CalendarWindow final : public ControlWindow, private CalendarHost {
 public:
  explicit CalendarWindow(int dpi) : ControlWindow(dpi) { calendar_.SetHost(this); }
  ~CalendarWindow() override { calendar_.SetHost(nullptr); }

  TCalendar& Calendar() { return calendar_; }

  void SendClientSize() {
    if (window_ == nullptr) return;
    const RECT r = ClientRect(window_);
    const int b = calendar_.BorderWidth();
    calendar_.SizeNotice(std::max(0, ToDips(r.right, dpi_) - 2 * b),
                         std::max(0, ToDips(r.bottom, dpi_) - 2 * b));
  }

 private:
  // Client coordinates of the grid (inside the edge the window draws) of a message's point.
  Point ToClient(LPARAM lParam) const {
    const int b = calendar_.BorderWidth();
    return {PixelToDips(GET_X_LPARAM(lParam), dpi_) - b,
            PixelToDips(GET_Y_LPARAM(lParam), dpi_) - b};
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Render(HDC dc, const RECT& update) override;
  void Resized() override { SendClientSize(); }
  void DpiChanged() override { SendClientSize(); }

  // CalendarHost
  void InvalidateAll() override {
    if (window_ != nullptr) ::InvalidateRect(window_, nullptr, FALSE);
  }
  void InvalidateRect(const Rect& rect) override {
    if (window_ == nullptr) return;
    const int b = calendar_.BorderWidth();
    Rect r = rect;
    OffsetRect(r, b, b);
    const RECT d = ToDevice(r, dpi_);
    ::InvalidateRect(window_, &d, FALSE);
  }
  void BorderChanged() override {
    SendClientSize();
    InvalidateAll();
  }
  void SetFocus() override {
    if (::IsWindowEnabled(window_)) ::SetFocus(window_);
  }
  bool IsActiveControl() const override { return activeControl_; }
  void CapturePointer() override { ::SetCapture(window_); }
  void ReleasePointer() override {
    if (::GetCapture() == window_) ::ReleaseCapture();
  }
  Point PointerPosition() const override { return pointer_; }
  void StartRepeatTimer(int milliseconds) override {
    ::SetTimer(window_, kRepeatTimer, static_cast<UINT>(milliseconds), nullptr);
  }
  void StopRepeatTimer() override { ::KillTimer(window_, kRepeatTimer); }

  TCalendar calendar_;
  Point pointer_;
  // Whether the calendar is its window's focus control: from its focus gain until the focus
  // goes to another control of the same window (a deactivated window keeps it).
  bool activeControl_ = false;
};

void CalendarWindow::Render(HDC dc, const RECT& update) {
  const RECT client = ClientRect(window_);
  GdiCanvas canvas(dc, dpi_);
  // Whatever the 96-dpi grid leaves of the device pixels shows the calendar's colour.
  const TColor color = canvas.ColorToRGB(calendar_.Color());
  ::SetDCBrushColor(dc, color);
  ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  const int b = calendar_.BorderWidth();
  const Rect bounds{0, 0, ToDips(client.right, dpi_), ToDips(client.bottom, dpi_)};
  if (b == 2) {
    canvas.DrawEdge(bounds, BDR_SUNKENOUTER | BDR_SUNKENINNER, BF_RECT);
  } else if (b == 1) {
    canvas.SetBrush(Brush{clWindowFrame, TBrushStyle::bsSolid});
    canvas.FillRect({0, 0, bounds.Right, 1});
    canvas.FillRect({0, bounds.Bottom - 1, bounds.Right, bounds.Bottom});
    canvas.FillRect({0, 0, 1, bounds.Bottom});
    canvas.FillRect({bounds.Right - 1, 0, bounds.Right, bounds.Bottom});
  }
  Rect inner = bounds;
  InflateRect(inner, -b, -b);
  const RECT clip = ToDevice(inner, dpi_);
  ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  canvas.SetOrigin({b, b});
  Rect dirty{PixelToDips(update.left, dpi_) - b, PixelToDips(update.top, dpi_) - b,
             PixelToDips(update.right - 1, dpi_) + 1 - b,
             PixelToDips(update.bottom - 1, dpi_) + 1 - b};
  calendar_.Paint(canvas, dirty);
}

LRESULT CalendarWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      // The arrow keys are the calendar's; Tab stays with the dialog's focus navigation.
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK: {
      pointer_ = ToClient(lParam);
      const bool doubleClick = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
                               message == WM_MBUTTONDBLCLK || message == WM_XBUTTONDBLCLK;
      calendar_.MouseDown(MouseButtonOf(message), ShiftState(), pointer_.x, pointer_.y,
                          doubleClick);
      return message == WM_XBUTTONDOWN || message == WM_XBUTTONDBLCLK ? TRUE : 0;
    }
    case WM_MOUSEMOVE:
      pointer_ = ToClient(lParam);
      calendar_.MouseMove(ShiftState(), pointer_.x, pointer_.y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
      pointer_ = ToClient(lParam);
      calendar_.MouseUp(MouseButtonOf(message), ShiftState(), pointer_.x, pointer_.y);
      return message == WM_XBUTTONUP ? TRUE : 0;
    case WM_CAPTURECHANGED:
      // The pointer grab was taken away during a press: the selection is abandoned.
      if (reinterpret_cast<HWND>(lParam) != window_) calendar_.CancelMode();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const bool handled = calendar_.KeyDown(static_cast<std::uint16_t>(wParam), ShiftState());
      // Arrow keys are always the calendar's, also when a move is refused.
      if (handled || (message == WM_KEYDOWN && IsArrow(wParam))) return 0;
      break;
    }
    case WM_MOUSEWHEEL:
      // Only while the calendar has the keyboard focus; otherwise the parent gets the turn.
      if (activeControl_ && ::GetFocus() == window_) {
        calendar_.MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
      }
      break;
    case WM_SETFOCUS:
      activeControl_ = true;
      calendar_.FocusChanged(true);
      return 0;
    case WM_KILLFOCUS: {
      const HWND to = reinterpret_cast<HWND>(wParam);
      activeControl_ =
          to == nullptr || ::GetAncestor(to, GA_ROOT) != ::GetAncestor(window_, GA_ROOT);
      calendar_.CancelMode();
      calendar_.FocusChanged(false);
      return 0;
    }
    case WM_SHOWWINDOW:
      if (!wParam) calendar_.CancelMode();
      break;
    case WM_TIMER:
      if (wParam == kRepeatTimer) {
        calendar_.TimerTick();
        return 0;
      }
      break;
    case WM_DESTROY:
      ::KillTimer(window_, kRepeatTimer);
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

// ---- Labels and lines: windows standing in for windowless controls ----

class GraphicWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  bool IsGraphic() const override { return true; }

 protected:
  void Render(HDC dc, const RECT& update) override;
  // Repaints the control, and the labels and lines above it that show it through.
  void InvalidateWithAbove();

  // While the window paints: the brush its parent gave for the background.
  HBRUSH parentBrush_ = nullptr;

 private:
  // The labels and lines among the window's siblings, this one included, topmost first. Kept
  // between paints: reading the order costs a call to the system per sibling.
  const std::vector<HWND>& GraphicSiblings();

  std::vector<HWND> siblings_;
  unsigned siblingsOrder_ = 0;  // g_graphicOrder when they were read
};

struct GraphicSearch {
  HWND parent;
  std::vector<HWND>& found;
};

BOOL CALLBACK CollectGraphicChild(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<GraphicSearch*>(context);
  ControlWindow* object = WindowObject(window);
  if (object != nullptr && object->IsGraphic() && ::GetParent(window) == search.parent) {
    search.found.push_back(window);
  }
  return TRUE;
}

const std::vector<HWND>& GraphicWindow::GraphicSiblings() {
  if (siblingsOrder_ == g_graphicOrder) return siblings_;
  siblings_.clear();
  // The parent's children in one call, topmost first (their own children follow each).
  GraphicSearch search{::GetParent(window_), siblings_};
  ::EnumChildWindows(search.parent, CollectGraphicChild, reinterpret_cast<LPARAM>(&search));
  siblingsOrder_ = g_graphicOrder;
  return siblings_;
}

void GraphicWindow::Render(HDC dc, const RECT& update) {
  const HWND parent = ::GetParent(window_);
  const RECT at = RectInParent(window_);
  // The parent's background, as it gives it to its static controls.
  HBRUSH brush = reinterpret_cast<HBRUSH>(::SendMessageW(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window_)));
  if (brush == nullptr) brush = ::GetSysColorBrush(COLOR_BTNFACE);
  POINT origin{};
  ::GetViewportOrgEx(dc, &origin);
  ::SetBrushOrgEx(dc, origin.x - at.left, origin.y - at.top, nullptr);
  ::FillRect(dc, &update, brush);
  // The labels and lines below this one, bottom first.
  const std::vector<HWND>& siblings = GraphicSiblings();
  const auto self = std::find(siblings.begin(), siblings.end(), window_);
  for (auto it = siblings.rbegin(); it != std::make_reverse_iterator(self); ++it) {
    const HWND sibling = *it;
    if (!::IsWindowVisible(sibling)) continue;
    const RECT there = RectInParent(sibling);
    RECT overlap{};
    if (!::IntersectRect(&overlap, &there, &at)) continue;
    const int saved = ::SaveDC(dc);
    ::OffsetViewportOrgEx(dc, there.left - at.left, there.top - at.top, nullptr);
    ::IntersectClipRect(dc, 0, 0, there.right - there.left, there.bottom - there.top);
    WindowObject(sibling)->PaintControlInto(dc);
    ::RestoreDC(dc, saved);
  }
  parentBrush_ = brush;
  PaintControlInto(dc);
  parentBrush_ = nullptr;
}

void GraphicWindow::InvalidateWithAbove() {
  if (window_ == nullptr) return;
  ::InvalidateRect(window_, nullptr, FALSE);
  const RECT at = RectInParent(window_);
  const std::vector<HWND>& siblings = GraphicSiblings();
  for (auto it = siblings.begin(); it != siblings.end() && *it != window_; ++it) {
    const RECT there = RectInParent(*it);
    RECT overlap{};
    if (::IntersectRect(&overlap, &there, &at)) ::InvalidateRect(*it, nullptr, FALSE);
  }
}

class RxLabelWindow final : public GraphicWindow, private LabelHost {
 public:
  RxLabelWindow(int dpi, const Font& parentFont)
      : GraphicWindow(dpi), parentFont_(parentFont), label_(*this) {}

  TRxLabel& Label() { return label_; }

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintControl(GdiCanvas& canvas) override { label_.Paint(canvas); }
  void DpiChanged() override { label_.FontChanged(); }

  Point Local(LPARAM lParam) const {
    return {PixelToDips(GET_X_LPARAM(lParam), dpi_), PixelToDips(GET_Y_LPARAM(lParam), dpi_)};
  }

  // LabelHost
  void Invalidate() override { InvalidateWithAbove(); }
  Rect Bounds() const override { return BoundsDips(); }
  void SetBounds(const Rect& bounds) override {
    if (window_ != nullptr) InvalidateWithAbove();
    SetBoundsDips(bounds);
  }
  bool IsEnabled() const override { return window_ == nullptr || ::IsWindowEnabled(window_); }
  bool IsVisible() const override {
    return window_ != nullptr && (::GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
  }
  bool UseRightToLeftAlignment() const override {
    return window_ != nullptr && (::GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
  }
  bool UseRightToLeftReading() const override {
    return window_ != nullptr && (::GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  }
  Point CursorPos() const override {
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
  }
  bool IsTopmostControlAt(Point screen) const override;
  WindowHandle ActiveWindow() const override { return ::GetActiveWindow(); }
  void EnumThreadWindows(const std::function<bool(WindowHandle)>& visit) const override {
    ::EnumThreadWindows(
        ::GetCurrentThreadId(), VisitWindow,
        reinterpret_cast<LPARAM>(const_cast<std::function<bool(WindowHandle)>*>(&visit)));
  }
  static BOOL CALLBACK VisitWindow(HWND window, LPARAM visit) {
    return (*reinterpret_cast<std::function<bool(WindowHandle)>*>(visit))(window) ? TRUE : FALSE;
  }
  std::unique_ptr<Canvas> BorrowScreenCanvas() override { return GdiCanvas::OnScreen(dpi_); }
  Font ParentFont() const override { return parentFont_; }
  TColor ParentColor() const override;
  void OpaqueChanged(bool) override {}
  void AcceleratorChanged() override {
    if (window_ == nullptr) return;
    // The window's text is what a screen reader reads: the caption as shown.
    const PrefixedText text = ParsePrefix(label_.DisplayText());
    ::SetWindowTextW(
        window_,
        platform::Wide(label_.ShowAccelChar() ? text.shown : label_.DisplayText()).c_str());
  }

  Font parentFont_;
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
    brush = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(window_), WM_CTLCOLORSTATIC,
                                                    reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(window_)));
    ::ReleaseDC(window_, dc);
  }
  LOGBRUSH lb{};
  if (brush != nullptr && ::GetObjectW(brush, sizeof lb, &lb) == sizeof lb &&
      lb.lbStyle == BS_SOLID) {
    return lb.lbColor & 0x00FFFFFFu;
  }
  return clBtnFace;
}

LRESULT RxLabelWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      label_.DblClick();
      [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const Point p = Local(lParam);
      label_.MouseDown(MouseButtonOf(message), p.x, p.y);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_MBUTTONUP: {
      const Point p = Local(lParam);
      label_.MouseUp(MouseButtonOf(message), p.x, p.y);
      return 0;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
      const Point p = Local(lParam);
      label_.WMRButtonDown(p.x, p.y);
      return 0;
    }
    case WM_RBUTTONUP: {
      const Point p = Local(lParam);
      label_.WMRButtonUp(p.x, p.y);
      return 0;
    }
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

class LineWindow final : public GraphicWindow, private LineHost {
 public:
  explicit LineWindow(int dpi) : GraphicWindow(dpi), line_(*this) {}

  TLine& Line() { return line_; }

 private:
  void PaintControl(GdiCanvas& canvas) override { line_.Paint(canvas); }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    // Clicks go through to what lies below, as on a windowless control.
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }

  // LineHost
  void Invalidate() override { InvalidateWithAbove(); }
  Rect Bounds() const override { return BoundsDips(); }
  void SetBounds(const Rect& bounds) override {
    if (window_ != nullptr) InvalidateWithAbove();
    SetBoundsDips(bounds);
  }

  TLine line_;
};

// ---- Window procedure and creation ----

struct Adoption {
  ControlWindow* object;
  bool adopted = false;
};

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* adoption =
        static_cast<Adoption*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    adoption->adopted = true;
    adoption->object->Attach(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(adoption->object));
  }
  ControlWindow* object = WindowObject(window);
  if (object == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete object;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  // A failure of the control or of a handler it calls never unwinds through the system.
  try {
    return object->Message(message, wParam, lParam);
  } catch (...) {
    DeliverFailure(std::current_exception());
    return 0;
  }
}

HWND CreateControl(std::unique_ptr<ControlWindow> object, const wchar_t* className,
                   std::string_view text, DWORD style, HWND parent, int id, const RECT& bounds) {
  Adoption adoption{object.get()};
  const HWND window = ::CreateWindowExW(
      0, className, platform::Wide(text).c_str(), style | WS_CHILD | WS_CLIPSIBLINGS, bounds.left,
      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, &adoption);
  // The window owns its object from WM_NCCREATE on, also when its creation fails later.
  if (adoption.adopted) object.release();
  return window;
}

template <class Kind>
Kind& ObjectOf(HWND window) {
  auto* object = dynamic_cast<Kind*>(window != nullptr ? WindowObject(window) : nullptr);
  if (object == nullptr) throw std::invalid_argument("not a window of this control");
  return *object;
}

}  // namespace

void RegisterControlClasses(HINSTANCE instance) {
  if (g_instance != nullptr) return;
  g_instance = instance;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.style = CS_DBLCLKS;
  wc.lpszClassName = kCalendarClass;
  ::RegisterClassExW(&wc);
  wc.lpszClassName = kRxLabelClass;
  ::RegisterClassExW(&wc);
  wc.style = 0;
  wc.lpszClassName = kLineClass;
  ::RegisterClassExW(&wc);
}

HWND CreateCalendarWindow(HWND parent, int id, const ControlLayout& row, const Font& font,
                          const RECT& bounds, int dpi) {
  auto object = std::make_unique<CalendarWindow>(dpi);
  CalendarWindow& calendar = *object;
  calendar.Calendar().SetFont(font);
  if (row.startOfWeek != 0) calendar.Calendar().SetStartOfWeek(row.startOfWeek);
  // Not a tab stop: the focus comes by a click only.
  const DWORD style = WS_VISIBLE | (row.tabOrder != kNoTabStop ? WS_TABSTOP : 0);
  const HWND window = CreateControl(std::move(object), kCalendarClass, row.accessibleName, style,
                                    parent, id, bounds);
  if (window != nullptr) calendar.SendClientSize();
  return window;
}

HWND CreateRxLabelWindow(HWND parent, int id, const ControlLayout& row, const Font& font,
                         const RECT& bounds, int dpi) {
  auto object = std::make_unique<RxLabelWindow>(dpi, font);
  RxLabelWindow& window = *object;
  TRxLabel& label = window.Label();
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

HWND CreateLineWindow(HWND parent, int id, const ControlLayout& row, const RECT& bounds, int dpi) {
  auto object = std::make_unique<LineWindow>(dpi);
  LineWindow& window = *object;
  TLine& line = window.Line();
  RECT at = bounds;
  // A layout leaving the height out keeps the line's own until its first paint.
  if (row.height == kAutoSize) at.bottom = at.top + ToDevice(line.Height(), dpi);
  if (row.width == kAutoSize) at.right = at.left + ToDevice(line.Width(), dpi);
  const HWND handle =
      CreateControl(std::move(object), kLineClass, row.name, WS_VISIBLE, parent, id, at);
  if (handle == nullptr) return nullptr;
  const Rect dips = ToDips(at, dpi);
  line.SetBounds(dips.Left, dips.Top, dips.Width(), dips.Height());
  if (row.penColor != Pen().Color) line.Pen().SetColor(row.penColor);
  line.SetLine(row.line);
  return handle;
}

TCalendar& CalendarOf(HWND window) {
  return ObjectOf<CalendarWindow>(window).Calendar();
}

TRxLabel& RxLabelOf(HWND window) {
  return ObjectOf<RxLabelWindow>(window).Label();
}

TLine& LineOf(HWND window) {
  return ObjectOf<LineWindow>(window).Line();
}

void SetControlDpi(HWND window, int dpi) {
  if (ControlWindow* object = window != nullptr ? WindowObject(window) : nullptr) {
    object->SetDpi(dpi);
  }
}

}  // namespace dorvane::win32
