#include "win32/MainWindow.h"

namespace dorvane::win32 {

MainWindow::MainWindow() {
  Build(TForm1::kLayout, form_);
  form_.Create();
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
