#include "win32/ControlWindows.h"

#include "win32/ControlWindow.h"

namespace dorvane::win32 {

namespace {

// Posted to a line that sized itself while painting: the new bounds apply after.
constexpr UINT kApplyBounds = WM_USER + 1;

class LineWindow final : public GraphicWindow, private LineHost {
 public:
  explicit LineWindow(int dpi) : GraphicWindow(dpi), line_(*this) {}

  TLine& Line() { return line_; }

 private:
  void PaintControl(GdiCanvas& canvas) override { line_.Paint(canvas); }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    // Clicks go through to what lies below, as on a windowless control.
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    if (message == kApplyBounds) line_.ApplyPendingBounds();
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }

  // LineHost
  void Invalidate() override { InvalidateWithAbove(); }
  Rect Bounds() const override { return GraphicWindow::Bounds(); }
  void SetBounds(const Rect& bounds) override { GraphicWindow::SetBounds(bounds); }
  // A window moved while it paints, or while a sibling paints it, would leave the paint wrong.
  void BoundsPending(TLine&) override { ::PostMessageW(window_, kApplyBounds, 0, 0); }

  TLine line_;
};

}  // namespace

HWND CreateLineWindow(HWND parent, int id, const ControlLayout& row, const RECT& bounds, int dpi) {
  auto object = std::make_unique<LineWindow>(dpi);
  TLine& line = object->Line();
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

}  // namespace dorvane::win32
