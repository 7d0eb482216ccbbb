#include "win32/AboutWindow.h"

#include <utility>

#include "win32/Application.h"
#include "win32/Dpi.h"
#include "win32/Pictures.h"

namespace dorvane::win32 {

AboutWindow::AboutWindow(HWND owner) {
  Build(TFAbout::kLayout, form_, owner);
  form_.FormCreate();
}

void AboutWindow::PlaceHorizontally(std::string_view control, int left, int width) {
  const RECT bounds = controls_->Bounds(control);
  ::SetWindowPos(controls_->Find(control), nullptr, ToDevice(left, controls_->Dpi()), bounds.top,
                 ToDevice(width, controls_->Dpi()), bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::ShowModal() {
  disabled_ = TApplication::DisableWindows(window_);
  ShowCentredFirstTime();
  if (onShown) onShown(*this);
  TApplication::RunUntil(closed_);
}

LRESULT AboutWindow::Message(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // Ends the modal loop, and the dialog goes at once, as a dialog box does; the owner is
    // enabled again before the dialog hides, so that the system activates it and not another
    // program's window.
    if (closed_) return 0;
    closed_ = true;
    TApplication::EnableWindows(std::exchange(disabled_, {}));
    if (HWND owner = ::GetWindow(window_, GW_OWNER)) ::SetActiveWindow(owner);
    ::ShowWindow(window_, SW_HIDE);
    return 0;
  }
  return TopWindow::Message(message, wParam, lParam);
}

void AboutWindow::ShowApplicationIcon(std::string_view control) {
  controls_->ShowIcon(control, LoadWindowIcon({}, ToDevice(kApplicationIconSize, controls_->Dpi())),
                      kApplicationIconSize);
}

}  // namespace dorvane::win32
