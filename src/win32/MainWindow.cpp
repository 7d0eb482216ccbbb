#include "win32/MainWindow.h"

#include "win32/AboutWindow.h"
#include "win32/ControlWindows.h"
#include "win32/SearchWindow.h"

namespace dorvane::win32 {

MainWindow::MainWindow() : form_(*this) {
  Build(TForm1::kLayout, form_);
  form_.Create();
}

void MainWindow::SetSearchDialog(SearchWindow* dialog) {
  form_.SetSearchDialog(dialog != nullptr ? &dialog->Form() : nullptr);
}

TCalendar& MainWindow::Calendar(std::string_view control) {
  return CalendarOf(controls_->Find(control));
}

void MainWindow::SetPanelText(int panel, std::string_view text) {
  controls_->SetPanelText(panel, text);
}

bool MainWindow::StartTimer(std::string_view timer, int milliseconds) {
  return controls_->StartTimer(timer, milliseconds);
}

void MainWindow::SetMenuChecked(std::string_view item, bool checked) {
  controls_->SetMenuChecked(item, checked);
}

std::unique_ptr<AboutDialog> MainWindow::CreateAboutDialog() {
  return AboutWindow::Create(window_);
}

void MainWindow::Beep() {
  SoundBeep();
}

// The size lock: whatever the default answer and the window's state, it keeps its layout's
// size at its dpi. The system clamps every new size to the tracking sizes (a frame drag, a
// program's SetWindowPos, the window manager's resize under Wine), and a maximised window takes
// the maximised size, where the window stood before.
void MainWindow::SizeLimits(MINMAXINFO& limits) {
  if (rescaling_) return;
  const SIZE size = LayoutOuterSize();
  dorvane::SizeLimits answer{
      static_cast<int>(limits.ptMaxSize.x),      static_cast<int>(limits.ptMaxSize.y),
      static_cast<int>(limits.ptMaxPosition.x),  static_cast<int>(limits.ptMaxPosition.y),
      static_cast<int>(limits.ptMinTrackSize.x), static_cast<int>(limits.ptMinTrackSize.y),
      static_cast<int>(limits.ptMaxTrackSize.x), static_cast<int>(limits.ptMaxTrackSize.y)};
  TForm1::LockSize(answer, size.cx, size.cy);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (::GetWindowPlacement(window_, &placement)) {
    answer.maxLeft = placement.rcNormalPosition.left;
    answer.maxTop = placement.rcNormalPosition.top;
  }
  limits.ptMaxSize = {answer.maxWidth, answer.maxHeight};
  limits.ptMaxPosition = {answer.maxLeft, answer.maxTop};
  limits.ptMinTrackSize = {answer.minTrackWidth, answer.minTrackHeight};
  limits.ptMaxTrackSize = {answer.maxTrackWidth, answer.maxTrackHeight};
}

SIZE MainWindow::HeldSize() const {
  return LayoutOuterSize();
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
