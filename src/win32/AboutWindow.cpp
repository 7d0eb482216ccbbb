#include "win32/AboutWindow.h"

#include <utility>

#include "win32/Application.h"
#include "win32/Dpi.h"
#include "win32/Pictures.h"

namespace dorvane::win32 {

namespace {
std::function<void(AboutWindow&)> onShown;  // SetOnShown's
}  // namespace

AboutWindow::AboutWindow(HWND owner) : form_(*this), owner_(owner) {
  Build(TFAbout::kLayout, form_, owner);
  form_.FormCreate();
}

std::unique_ptr<AboutDialog> AboutWindow::Create(HWND owner) {
  return std::make_unique<AboutWindow>(owner);
}

int AboutWindow::ControlRight(std::string_view control) const {
  return ToDips(controls_->Bounds(control).right, controls_->Dpi());
}

void AboutWindow::PlaceHorizontally(std::string_view control, int left, int width) {
  const RECT bounds = controls_->Bounds(control);
  ::SetWindowPos(controls_->Find(control), nullptr, ToDevice(left, controls_->Dpi()), bounds.top,
                 ToDevice(width, controls_->Dpi()), bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::SetOnShown(std::function<void(AboutWindow&)> handler) {
  onShown = std::move(handler);
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
    if (owner_ != nullptr && ::IsWindow(owner_)) ::SetActiveWindow(owner_);
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
