#include "win32/FormWindow.h"

#include <iterator>
#include <stdexcept>
#include <utility>

#include <oleacc.h>

#include "forms/Application.h"
#include "forms/Handlers.h"
#include "platform/DynamicLibrary.h"
#include "platform/win32/Wide.h"
#include "win32/AccessibleProxy.h"
#include "win32/Application.h"
#include "win32/ControlWindow.h"
#include "win32/Dpi.h"

namespace dorvane::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"DorvaneForm";
// Posted to a disabled window that was activated or clicked while a modal window shows.
constexpr UINT kModalToFront = WM_APP + 1;
// Posted when a new size was refused, for the window to show its own size again.
constexpr UINT kSizeRefused = WM_APP + 2;

DWORD FrameStyle(const WindowLayout& layout) {
  // No WS_CLIPCHILDREN: the group boxes paint no inside of their own, the window does.
  DWORD style = WS_CAPTION;
  style |= layout.border == BorderStyle::kDialog ? WS_POPUP : WS_OVERLAPPED | WS_THICKFRAME;
  if (layout.borderIcons & biSystemMenu) style |= WS_SYSMENU;
  if (layout.borderIcons & biMinimize) style |= WS_MINIMIZEBOX;
  if (layout.borderIcons & biMaximize) style |= WS_MAXIMIZEBOX;
  return style;
}

// Where a window of that size stands centred in a monitor's work area (the primary screen's
// when the system cannot tell).
POINT CentredOn(HMONITOR monitor, int width, int height) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) {
    info.rcWork = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  const RECT& area = info.rcWork;
  return {area.left + (area.right - area.left - width) / 2,
          area.top + (area.bottom - area.top - height) / 2};
}

// Whether the program runs under Wine, which gives its windows to an X11 window manager.
bool UnderWine() {
  static const bool wine =
      platform::LoadedLibrary("ntdll.dll").Find<void (*)()>("wine_get_version") != nullptr;
  return wine;
}

}  // namespace

TopWindow::~TopWindow() {
  if (window_ != nullptr) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

bool TopWindow::IsOurs(HWND window) {
  wchar_t name[std::size(kFormClass) + 1] = {};
  return window != nullptr && ::GetClassNameW(window, name, std::size(name)) > 0 &&
         std::wstring_view(name) == kFormClass;
}

bool TopWindow::FocusKey(HWND root, WPARAM key) {
  if (!IsOurs(root)) return false;
  auto* self = reinterpret_cast<TopWindow*>(::GetWindowLongPtrW(root, GWLP_USERDATA));
  if (self == nullptr || self->controls_ == nullptr) return false;
  const std::string_view target =
      FocusKeyTarget(self->controls_->Layout(), static_cast<std::uint16_t>(key), ShiftState());
  self->controls_->SetFocus(target);  // none for an empty name
  return !target.empty();
}

void TopWindow::Build(const WindowLayout& layout, TForm& form, HWND owner) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  [[maybe_unused]] static const bool registered = [instance] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    return ::RegisterClassExW(&windowClass) != 0;
  }();
  // Made with its caption and menu, at its size for the screen's scale, centred on the primary
  // monitor, where it shows first: a window sized or moved once made costs another round of
  // messages (under Wine, of X11 requests too). One made on a monitor of another scale, or
  // whose menu bar takes two lines, takes its size again below.
  const DWORD style = FrameStyle(layout);
  const DWORD exStyle =
      WS_EX_CONTROLPARENT | (layout.border == BorderStyle::kDialog ? WS_EX_DLGMODALFRAME : 0);
  HMENU menu = FormControls::MakeMenu(layout);
  const int dpi = WindowDpi(nullptr);
  const SIZE size = OuterSize(layout, LayoutDpiFor(dpi), style, exStyle, menu != nullptr, dpi);
  const POINT at =
      CentredOn(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), size.cx, size.cy);
  window_ = ::CreateWindowExW(exStyle, kFormClass, platform::Wide(layout.caption).c_str(), style,
                              at.x, at.y, size.cx, size.cy, owner, menu, instance, this);
  if (window_ == nullptr) {
    if (menu != nullptr) ::DestroyMenu(menu);
    throw std::runtime_error(std::string(kWindowCreationFailure));
  }
  controls_ = std::make_unique<FormControls>(window_, layout, form);
  SetClientSize(layout.clientWidth, layout.clientHeight);
}

void TopWindow::MakeWindowIfLeft() const {
  if (leftLayout_ == nullptr) return;
  // The window is made as it would have been at start-up; to the callers, nothing changes but
  // when the cost is paid.
  auto& self = const_cast<TopWindow&>(*this);
  self.Build(*std::exchange(self.leftLayout_, nullptr), *leftForm_);
}

void TopWindow::SetClientSize(int width, int height) {
  // The frame as the window has it (border, caption, menu bar), around the new client area.
  RECT frame{};
  RECT client{};
  ::GetWindowRect(window_, &frame);
  ::GetClientRect(window_, &client);
  const SIZE was{frame.right - frame.left, frame.bottom - frame.top};
  ownSize_ = {was.cx - client.right + ToDevice(width, controls_->Dpi()),
              was.cy - client.bottom + ToDevice(height, controls_->Dpi())};
  if (ownSize_.cx != was.cx || ownSize_.cy != was.cy) TakeOwnSize(ownSize_, 0);
}

void TopWindow::TakeOwnSize(SIZE size, UINT flags) {
  // The size lock lets the window's own layout through.
  const bool rescaling = std::exchange(rescaling_, true);
  ::SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  rescaling_ = rescaling;
}

void TopWindow::Rescale(int dpi) {
  const int old = controls_->Dpi();
  if (dpi == old) return;
  RECT client{};
  ::GetClientRect(window_, &client);
  controls_->ChangeDpi(dpi);
  SetClientSize(ToDips(client.right, old), ToDips(client.bottom, old));
}

void TopWindow::ShowCentredFirstTime() {
  const bool first = !std::exchange(shownOnce_, true);
  if (first) {
    RECT frame{};
    ::GetWindowRect(window_, &frame);
    const POINT at = CentredOn(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY),
                               frame.right - frame.left, frame.bottom - frame.top);
    if (at.x != frame.left || at.y != frame.top) {
      ::SetWindowPos(window_, nullptr, at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  ::ShowWindow(window_, SW_SHOW);
  if (first) controls_->SetFocus(controls_->Layout().firstFocus);
}

void TopWindow::BringWindowForward() {
  MakeWindowIfLeft();
  if (::IsIconic(window_)) ::ShowWindow(window_, SW_RESTORE);
  if (::IsWindowVisible(window_) && ::GetForegroundWindow() != window_ && UnderWine()) {
    // Wine (before 9) tells the window manager nothing of an activation by the program: the
    // manager would go on showing the other window active, and keep the keyboard there. A
    // window shown anew is one the manager activates itself.
    ::ShowWindow(window_, SW_HIDE);
  }
  ShowCentredFirstTime();
  ::SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(window_);
  ::SetActiveWindow(window_);
}

SIZE TopWindow::LayoutOuterSize() const {
  return OuterSize(controls_->Layout(), controls_->Dpi(),
                   static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE)),
                   static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE)),
                   ::GetMenu(window_) != nullptr, WindowDpi(window_));
}

void TopWindow::SizeLimits(MINMAXINFO& limits) {
  const SIZE held = HeldSize();
  if (held.cx == 0) {
    // A sizeable frame may grow, never shrink the window below its controls.
    const SIZE outer = LayoutOuterSize();
    limits.ptMinTrackSize = {outer.cx, outer.cy};
  } else if (!rescaling_) {
    // The size lock holds the window at its size whatever the default answer and its state,
    // never at its current size, which is the iconic one while it is minimised and would hold
    // the restored window to it. The system clamps every new size to the tracking sizes (a
    // frame drag, a program's SetWindowPos, the window manager's resize under Wine), and a
    // maximised window takes the maximised size, where the window stood before.
    limits.ptMaxSize = limits.ptMinTrackSize = limits.ptMaxTrackSize = {held.cx, held.cy};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(window_, &placement)) {
      limits.ptMaxPosition = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    }
  }
}

LRESULT TopWindow::Message(UINT message, WPARAM wParam, LPARAM lParam) {
  if (controls_ != nullptr) {
    switch (message) {
      case WM_COMMAND:
        if (controls_->Command(wParam)) return 0;
        break;
      case WM_TIMER:
        if (controls_->Timer(wParam)) return 0;
        break;
      case WM_NOTIFY:
        if (controls_->Notify(lParam)) return 0;
        break;
      case WM_DRAWITEM:
        if (controls_->DrawItem(lParam)) return TRUE;
        break;
      case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = controls_->ColorStatic(reinterpret_cast<HDC>(wParam),
                                                  reinterpret_cast<HWND>(lParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
        break;
      case WM_GETOBJECT:
        // A window of ours without a menu bar is a dialog.
        if (!controls_->Layout().menu.empty()) break;
        return AnswerGetObject(window_, wParam, lParam, ROLE_SYSTEM_DIALOG);
      case WM_GETMINMAXINFO:
        ::DefWindowProcW(window_, message, wParam, lParam);
        SizeLimits(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
      case WM_SYSCOLORCHANGE:
      case WM_SETTINGCHANGE:
        // A new desktop font may grow or shrink the layout; high contrast may have come or
        // gone: the fixed colours and pictures follow it.
        if (message == WM_SETTINGCHANGE && wParam == SPI_SETNONCLIENTMETRICS) {
          Rescale(LayoutDpi(window_));
        }
        controls_->ChangeColors(message, wParam, lParam);
        ::RedrawWindow(window_, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
      case 0x02E0: {  // WM_DPICHANGED: the window moved to a monitor of another scale
        // The client area keeps its size in layout pixels, at the monitor's suggested place.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Rescale(LayoutDpiFor(HIWORD(wParam)));
        return 0;
      }
      case WM_WINDOWPOSCHANGING: {
        auto* place = reinterpret_cast<WINDOWPOS*>(lParam);
        const SIZE held = HeldSize();
        if (held.cx > 0 && !rescaling_ && !::IsIconic(window_) &&
            (place->flags & SWP_NOSIZE) == 0 && (place->cx != held.cx || place->cy != held.cy)) {
          // A window of a fixed size keeps it. Under Wine the window manager sizes the
          // window's X11 window itself (Wine gives it no size hints for a sizeable frame, and
          // a dialog's own new size may come back from it stale), then asks for that size here:
          // refused, the X11 window would keep it, black beyond the window. The window takes
          // its own size again once this request is done.
          place->cx = held.cx;
          place->cy = held.cy;
          ::PostMessageW(window_, kSizeRefused, 0, 0);
        }
        // While the error box or a modal dialog shows, it stays in front of every window of
        // ours: a disabled window that comes forward (raised, activated, clicked) puts it back.
        HWND modal = ::IsWindowEnabled(window_) ? nullptr : TApplication::ModalWindow();
        if (modal != nullptr && (place->flags & SWP_NOZORDER) == 0) place->hwndInsertAfter = modal;
        break;
      }
      case WM_SETCURSOR:
        if (LOWORD(lParam) == static_cast<WORD>(HTERROR) && HIWORD(lParam) != WM_MOUSEMOVE &&
            !::IsWindowEnabled(window_)) {
          ::PostMessageW(window_, kModalToFront, 0, 0);
        }
        break;
      case WM_SIZE:
        // Nor is it maximised: under Wine the window manager would hold the maximised X11
        // window at the screen's size, against the size the window keeps.
        if (wParam == SIZE_MAXIMIZED && HeldSize().cx > 0)
          ::PostMessageW(window_, kSizeRefused, 0, 0);
        break;
      case kSizeRefused:
        if (::IsZoomed(window_) && HeldSize().cx > 0) ::ShowWindow(window_, SW_RESTORE);
        if (HeldSize().cx > 0 && !::IsIconic(window_)) TakeOwnSize(HeldSize(), SWP_FRAMECHANGED);
        return 0;
      case kModalToFront:
        if (HWND modal = ::IsWindowEnabled(window_) ? nullptr : TApplication::ModalWindow()) {
          ::SetWindowPos(modal, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
          ::SetForegroundWindow(modal);
          ::SetActiveWindow(modal);
        }
        return 0;
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !::IsWindowEnabled(window_)) {
          ::PostMessageW(window_, kModalToFront, 0, 0);
          return 0;
        }
        // The focus comes back to the control that had it when the window is active again.
        if (LOWORD(wParam) == WA_INACTIVE) {
          HWND focus = ::GetFocus();
          if (focus != nullptr && ::IsChild(window_, focus)) lastFocus_ = focus;
        } else if (lastFocus_ != nullptr && ::IsWindow(lastFocus_)) {
          ::SetFocus(lastFocus_);
          return 0;
        }
        break;
      case WM_CLOSE:
        ::ShowWindow(window_, SW_HIDE);
        return 0;
      default:
        break;
    }
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK TopWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TopWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<TopWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    self->window_ = nullptr;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  RunHandler([&] { result = self->Message(message, wParam, lParam); });
  return result;
}

}  // namespace dorvane::win32
