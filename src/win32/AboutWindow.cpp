#include "win32/AboutWindow.h"

#include <utility>

#include "platform/Services.h"
#include "platform/win32/Wide.h"
#include "win32/Application.h"
#include "win32/Dpi.h"
#include "win32/Pictures.h"

namespace dorvane::win32 {

namespace {

std::function<void(AboutWindow&)>& OnShown() {
  static std::function<void(AboutWindow&)> handler;
  return handler;
}

// One showing: the dialog is ours to destroy.
class Win32AboutDialog final : public AboutDialog {
 public:
  explicit Win32AboutDialog(HWND owner) : window_(owner) {}

  FormView& View() override { return window_.View(); }
  void ShowModal() override { window_.ShowModal(); }
  int ControlRight(std::string_view control) const override {
    return ToDips(window_.Controls().Bounds(control).right, window_.Controls().Dpi());
  }
  void SetClientWidth(int width) override { window_.SetClientWidth(width); }
  void PlaceHorizontally(std::string_view control, int left, int width) override {
    const FormControls& controls = window_.Controls();
    const RECT bounds = controls.Bounds(control);
    ::SetWindowPos(controls.Find(control), nullptr, ToDevice(left, controls.Dpi()), bounds.top,
                   ToDevice(width, controls.Dpi()), bounds.bottom - bounds.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  AboutWindow window_;
};

}  // namespace

void SoundBeep() {
  if (const auto& sound = platform::ActiveServices().beep) {
    sound();
  } else {
    ::MessageBeep(MB_OK);
  }
}

AboutWindow::AboutWindow(HWND owner) : form_(*this), owner_(owner) {
  Build(TFAbout::kLayout, form_, owner);
  form_.FormCreate();
}

std::unique_ptr<AboutDialog> AboutWindow::Create(HWND owner) {
  return std::make_unique<Win32AboutDialog>(owner);
}

void AboutWindow::SetOnShown(std::function<void(AboutWindow&)> handler) {
  OnShown() = std::move(handler);
}

void AboutWindow::ShowModal() {
  disabled_ = TApplication::DisableWindows(window_);
  CentreOnMonitor();
  ShowCentredFirstTime();
  if (OnShown()) OnShown()(*this);
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

void AboutWindow::Beep() {
  SoundBeep();
}

}  // namespace dorvane::win32
