#include "win32/ControlWindow.h"

#include <windowsx.h>  // after Win32.h (via ControlWindow.h)

#include <algorithm>
#include <functional>
#include <utility>

#include "forms/Handlers.h"
#include "platform/win32/Wide.h"
#include "win32/ControlWindows.h"
#include "win32/Pictures.h"

namespace dorvane::win32 {

namespace {

HINSTANCE g_instance = nullptr;

// Bumped whenever a label or a line comes, goes or changes its place in the windows' order: the
// orders the graphic windows keep of their siblings are then read again (UI thread only). It
// starts above the 0 of an order never read.
unsigned g_graphicOrder = 1;

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

TShiftState ShiftState() {
  TShiftState shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

RECT ClientRect(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  return r;
}

RECT RectInParent(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

ControlWindow* WindowObject(HWND window) {
  // The class's procedure, which a subclass (a tooltip's) leaves as it is.
  if (reinterpret_cast<WNDPROC>(::GetClassLongPtrW(window, GCLP_WNDPROC)) != ControlProc) {
    return nullptr;
  }
  return reinterpret_cast<ControlWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::optional<MouseEvent> ControlWindow::MouseEventOf(UINT message, LPARAM lParam) const {
  // Each button's messages follow one another: press, release, double click.
  static constexpr std::pair<UINT, TMouseButton> kButtons[] = {
      {WM_LBUTTONDOWN, TMouseButton::mbLeft},
      {WM_RBUTTONDOWN, TMouseButton::mbRight},
      {WM_MBUTTONDOWN, TMouseButton::mbMiddle},
      {WM_XBUTTONDOWN, TMouseButton::mbMiddle}};
  static constexpr MouseEvent::Action kActions[] = {MouseEvent::kPress, MouseEvent::kRelease,
                                                    MouseEvent::kDoubleClick};
  std::optional<MouseEvent> event;
  if (message == WM_MOUSEMOVE) event = MouseEvent{};
  for (const auto& [press, button] : kButtons) {
    if (message >= press && message <= press + 2)
      event = MouseEvent{kActions[message - press], button, 0, {}};
  }
  if (event) {
    event->shift = ShiftState();
    event->at = {PixelToDips(GET_X_LPARAM(lParam), dpi_), PixelToDips(GET_Y_LPARAM(lParam), dpi_)};
  }
  return event;
}

// Painted off screen, then copied in one go (no flicker on a month step), into one bitmap kept
// for the thread's paints and grown as needed: making one for every paint costs more than the
// paint. A paint while it is in use, or without one, goes straight to the screen.
void ControlWindow::Paint() {
  static BufferDc buffer;  // UI thread only
  static bool busy = false;
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(window_, &ps);
  const RECT& u = ps.rcPaint;
  const int width = u.right - u.left;
  const int height = u.bottom - u.top;
  if (width > 0 && height > 0 && (busy || !buffer.Hold(width, height))) {
    Render(dc, u);
  } else if (width > 0 && height > 0) {
    struct Use {
      ~Use() { busy = false; }
    } use;
    busy = true;
    const int saved = ::SaveDC(buffer.Dc());
    ::SetViewportOrgEx(buffer.Dc(), -u.left, -u.top, nullptr);
    Render(buffer.Dc(), u);
    ::RestoreDC(buffer.Dc(), saved);
    ::BitBlt(dc, u.left, u.top, width, height, buffer.Dc(), 0, 0, SRCCOPY);
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
    case WM_PRINTCLIENT:
      Render(reinterpret_cast<HDC>(wParam), ClientRect(window_));
      return 0;
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
    default:
      break;
  }
  return Handle(message, wParam, lParam);
}

BOOL CALLBACK VisitWindow(HWND window, LPARAM visit) {
  return (*reinterpret_cast<const std::function<bool(HWND)>*>(visit))(window) ? TRUE : FALSE;
}

const std::vector<HWND>& GraphicWindow::GraphicSiblings() {
  if (siblingsOrder_ == g_graphicOrder) return siblings_;
  siblings_.clear();
  const HWND parent = ::GetParent(window_);
  const std::function<bool(HWND)> collect = [&](HWND window) {
    const ControlWindow* object = WindowObject(window);
    if (object != nullptr && object->IsGraphic() && ::GetParent(window) == parent) {
      siblings_.push_back(window);
    }
    return true;
  };
  // The parent's children in one call, topmost first (their own children follow each).
  ::EnumChildWindows(parent, VisitWindow, reinterpret_cast<LPARAM>(&collect));
  siblingsOrder_ = g_graphicOrder;
  return siblings_;
}

void GraphicWindow::Render(HDC dc, const RECT& update) {
  const RECT at = RectInParent(window_);
  const HBRUSH brush = ParentBrush(dc);
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

HBRUSH GraphicWindow::ParentBrush(HDC dc) const {
  const auto brush = reinterpret_cast<HBRUSH>(
      ::SendMessageW(::GetParent(window_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(window_)));
  return brush != nullptr ? brush : ::GetSysColorBrush(COLOR_BTNFACE);
}

void GraphicWindow::SetBounds(const Rect& bounds) {
  InvalidateWithAbove();
  bounds_ = bounds;
  if (window_ == nullptr) return;
  const RECT d = ToDevice(bounds, dpi_);
  ::SetWindowPos(window_, nullptr, d.left, d.top, std::max(0L, d.right - d.left),
                 std::max(0L, d.bottom - d.top), SWP_NOZORDER | SWP_NOACTIVATE);
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

namespace {

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

}  // namespace

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

void SetControlDpi(HWND window, int dpi) {
  if (ControlWindow* object = WindowObject(window)) object->SetDpi(dpi);
}

}  // namespace dorvane::win32
