#include "win32/MainWindow.h"

namespace dorvane::win32 {

MainWindow::MainWindow() : form_(*this) {
  Build(TForm1::kLayout, form_);
  form_.Create();
}

// The size lock: whatever the default answer and the window's state, it keeps its layout's
// size at its dpi, never its current size, which is the iconic one while it is minimised and
// would hold the restored window to it. The system clamps every new size to the tracking sizes
// (a frame drag, a program's SetWindowPos, the window manager's resize under Wine), and a
// maximised window takes the maximised size, where the window stood before.
void MainWindow::SizeLimits(MINMAXINFO& limits) {
  if (rescaling_) return;
  const SIZE size = LayoutOuterSize();
  limits.ptMaxSize = limits.ptMinTrackSize = limits.ptMaxTrackSize = {size.cx, size.cy};
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (::GetWindowPlacement(window_, &placement)) {
    limits.ptMaxPosition = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
  }
}

LRESULT MainWindow::Message(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // By the quit command, the title bar or the system menu: the loop ends, and the windows
    // go with the shut-down.
    ::ShowWindow(window_, SW_HIDE);
    ::PostQuitMessage(0);
    return 0;
  }
  return TopWindow::Message(message, wParam, lParam);
}

}  // namespace dorvane::win32
