#pragma once
// The windows of the program's own controls (calendar, shadowed label, line) share this base:
// the C++ object behind each window, its procedure, its double-buffered painting, and for the
// label and the line the painting of windowless controls over their siblings.

#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "calendar/CustomGrid.h"
#include "gfx/MouseButton.h"
#include "win32/GdiCanvas.h"
#include "win32/Win32.h"

namespace dorvane::win32 {

inline constexpr wchar_t kCalendarClass[] = L"DorvaneCalendar";
inline constexpr wchar_t kRxLabelClass[] = L"DorvaneRxLabel";
inline constexpr wchar_t kLineClass[] = L"DorvaneLine";

// Whether a pointer message is an extra button's, which a handler answers with TRUE.
constexpr bool IsExtraButton(UINT message) {
  return message >= WM_XBUTTONDOWN && message <= WM_XBUTTONDBLCLK;
}

// The modifier keys held now.
TShiftState ShiftState();
RECT ClientRect(HWND window);

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// The callback of EnumChildWindows and EnumThreadWindows that hands each window to the
// std::function<bool(HWND)> its LPARAM points to, until that returns false.
BOOL CALLBACK VisitWindow(HWND window, LPARAM visit);

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
    PaintControl(canvas);
  }

 protected:
  // A pointer message as the controls know it, at its 96-dpi point; nullopt for any other.
  // Left and right are themselves; every other button (middle, the extra ones) is the middle
  // button, which clicks nothing in any control.
  std::optional<MouseEvent> MouseEventOf(UINT message, LPARAM lParam) const;

  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }
  virtual void Render(HDC dc, const RECT& update) = 0;
  virtual void PaintControl(GdiCanvas&) {}
  virtual void DpiChanged() {}
  virtual void Resized() {}

  HWND window_ = nullptr;
  int dpi_;
  // The bounds in 96-dpi pixels of the parent's client area (before the window exists too).
  Rect bounds_;

 private:
  void Paint();
};

class GraphicWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  bool IsGraphic() const override { return true; }

 protected:
  void Render(HDC dc, const RECT& update) override;
  // The LabelHost's and LineHost's bounds: moving the window repaints the place it leaves.
  Rect Bounds() const { return bounds_; }
  void SetBounds(const Rect& bounds);
  // Repaints the control, and the labels and lines above it that show it through.
  void InvalidateWithAbove();

  // The brush the parent gives its static controls for their background on `dc`, the button
  // face where it gives none.
  HBRUSH ParentBrush(HDC dc) const;

  // While the window paints: the brush its parent gave for the background.
  HBRUSH parentBrush_ = nullptr;

 private:
  // The labels and lines among the window's siblings, this one included, topmost first. Kept
  // between paints: reading the order costs a call to the system per sibling.
  const std::vector<HWND>& GraphicSiblings();

  std::vector<HWND> siblings_;
  unsigned siblingsOrder_ = 0;  // g_graphicOrder when they were read
};

// The object of one of our windows; null for no window or another's (its user data not ours).
ControlWindow* WindowObject(HWND window);

// Makes the window of `object` (a child of `parent`, at `bounds` in device pixels), which owns
// the object from then on, also when its creation fails.
HWND CreateControl(std::unique_ptr<ControlWindow> object, const wchar_t* className,
                   std::string_view text, DWORD style, HWND parent, int id, const RECT& bounds);

// The object of a window of the kind asked for; std::invalid_argument for any other window.
template <class Kind>
Kind& ObjectOf(HWND window) {
  auto* object = dynamic_cast<Kind*>(WindowObject(window));
  if (object == nullptr) throw std::invalid_argument("not a window of this control");
  return *object;
}

}  // namespace dorvane::win32
