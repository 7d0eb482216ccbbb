#include "win32/ControlWindows.h"

#include "calendar/CalendarTable.h"
#include "platform/win32/Wide.h"
#include "win32/AccessibleProxy.h"
#include "win32/ControlWindow.h"
#include "win32/ToolTips.h"

namespace dorvane::win32 {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kAnnounceFocus = WM_USER + 2;

class CalendarWindow final : public ControlWindow, private CalendarHost {
 public:
  explicit CalendarWindow(int dpi) : ControlWindow(dpi) { calendar_.SetHost(this); }
  ~CalendarWindow() override { calendar_.SetHost(nullptr); }

  TCalendar& Calendar() { return calendar_; }

  void SendClientSize() {
    const RECT r = ClientRect(window_);
    calendar_.WindowResized(ToDips(r.right, dpi_), ToDips(r.bottom, dpi_));
  }

 private:
  // The hint of the day under the pointer, as the tool of its cell.
  void ShowHint(Point at) {
    const GridCoord cell = calendar_.WindowCoord(at);
    const RECT place = ToDevice(calendar_.WindowCellRect(cell.col, cell.row), dpi_);
    tips_.Set(window_, kCellHintTool, &place,
              platform::Wide(calendar_.HintOfCell(cell.col, cell.row)));
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
    const RECT d = ToDevice(rect, dpi_);
    if (window_ != nullptr) ::InvalidateRect(window_, &d, FALSE);
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
  void StartRepeatTimer(int milliseconds) override {
    ::SetTimer(window_, kRepeatTimer, static_cast<UINT>(milliseconds), nullptr);
  }
  void StopRepeatTimer() override { ::KillTimer(window_, kRepeatTimer); }
  void CurrentCellChanged() override { AnnounceCurrentCell(true); }

  // Tells screen readers of the current cell: selected, and focused while the window is.
  void AnnounceCurrentCell(bool selection) {
    if (window_ == nullptr) return;
    const LONG child = CalendarTable(calendar_).CurrentIndex() + 1;
    if (selection) ::NotifyWinEvent(EVENT_OBJECT_SELECTION, window_, OBJID_CLIENT, child);
    if (::GetFocus() == window_) ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, child);
  }

  TCalendar calendar_;
  // The readers' object goes with the window: they may hold it longer, it then answers nothing.
  CalendarAccessible accessible_;
  ToolTips tips_;  // made for the first hint
  // Whether the calendar is its window's focus control: from its focus gain until the focus
  // goes to another control of the same window (a deactivated window keeps it).
  bool activeControl_ = false;
};

void CalendarWindow::Render(HDC dc, const RECT& update) {
  const RECT client = ClientRect(window_);
  GdiCanvas canvas(dc, dpi_);
  // Whatever the 96-dpi grid leaves of the device pixels shows the calendar's colour.
  ::SetDCBrushColor(dc, canvas.ColorToRGB(calendar_.Color()));
  ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  const int b = calendar_.BorderWidth();
  const Rect bounds{0, 0, ToDips(client.right, dpi_), ToDips(client.bottom, dpi_)};
  calendar_.PaintBorder(canvas, bounds);
  const RECT clip = ToDevice(Rect{b, b, bounds.Right - b, bounds.Bottom - b}, dpi_);
  ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  canvas.SetOrigin({b, b});
  Rect dirty{PixelToDips(update.left, dpi_) - b, PixelToDips(update.top, dpi_) - b,
             PixelToDips(update.right - 1, dpi_) + 1 - b,
             PixelToDips(update.bottom - 1, dpi_) + 1 - b};
  calendar_.Paint(canvas, dirty);
}

LRESULT CalendarWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<MouseEvent> mouse = MouseEventOf(message, lParam)) {
    calendar_.WindowMouse(*mouse);
    if (mouse->action == MouseEvent::kMove) ShowHint(mouse->at);
    return IsExtraButton(message) ? TRUE : 0;
  }
  switch (message) {
    case WM_GETDLGCODE:
      // The arrow keys are the calendar's; Tab stays with the dialog's focus navigation.
      return DLGC_WANTARROWS;
    case WM_CAPTURECHANGED:
      // The pointer grab was taken away during a press: the selection is abandoned.
      if (reinterpret_cast<HWND>(lParam) != window_) calendar_.CancelMode();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (calendar_.KeyDown(static_cast<std::uint16_t>(wParam), ShiftState())) return 0;
      break;
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
      // After the system's notice for the window, which comes once the focus is set: the reader
      // goes on to the day the user is on.
      ::PostMessageW(window_, kAnnounceFocus, 0, 0);
      return 0;
    case kAnnounceFocus:
      AnnounceCurrentCell(false);
      return 0;
    case WM_GETOBJECT:
      return AnswerGetObject(*this, calendar_, accessible_, wParam, lParam);
    case WM_KILLFOCUS: {
      const HWND to = reinterpret_cast<HWND>(wParam);
      activeControl_ =
          to == nullptr || ::GetAncestor(to, GA_ROOT) != ::GetAncestor(window_, GA_ROOT);
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
    case WM_DESTROY:  // the window's timers go with it
      accessible_.reset();
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace

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

TCalendar& CalendarOf(HWND window) {
  return ObjectOf<CalendarWindow>(window).Calendar();
}

}  // namespace dorvane::win32
