#include "win32/_Dorvane.h"

#include "forms/MainForm.h"
#include "win32/AboutWindow.h"
#include "win32/Application.h"
#include "win32/MainWindow.h"
#include "win32/PngFile.h"
#include "win32/SearchWindow.h"

#include <commctrl.h>

namespace dorvane::win32 {

namespace {

// Handles what is waiting, then paints the window and its controls, twice: some controls
// take their final size at their first paint.
void SettleWindow(HWND window) {
  TApplication::ProcessPending();
  for (int i = 0; i < 2; ++i) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    TApplication::ProcessPending();
  }
}

bool SaveClientArea(HWND window, const std::string& file) {
  HBITMAP picture = CaptureClientArea(window);
  const bool written = WritePng(picture, file);
  if (picture != nullptr) ::DeleteObject(picture);
  return written;
}

}  // namespace

Win32FrontEnd::Win32FrontEnd() = default;
Win32FrontEnd::~Win32FrontEnd() = default;

void Win32FrontEnd::CreateApplication(std::string_view title,
                                      std::function<void()> onLocaleChange) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  app_ = std::make_unique<TApplication>();
  app_->SetOnLocaleChange(std::move(onLocaleChange));
  app_->SetTitle(title);
}

void Win32FrontEnd::CreateWindows() {
  main_ = std::make_unique<MainWindow>();
  search_ = std::make_unique<SearchWindow>(main_->View(), main_->Form().Calendar1());
  main_->SetSearchDialog(search_.get());
}

void Win32FrontEnd::DestroyWindows() {
  if (main_) main_->SetSearchDialog(nullptr);
  search_.reset();
  main_.reset();
}

TForm1& Win32FrontEnd::MainForm() {
  return main_->Form();
}
TForm2& Win32FrontEnd::SearchForm() {
  return search_->Form();
}

void Win32FrontEnd::HandleFailure(std::exception_ptr failure) {
  app_->HandleException(std::move(failure));
}

void Win32FrontEnd::RedirectErrorBox(std::function<void(const std::string& text)> box) {
  app_->SetErrorBox(std::move(box));
}

void Win32FrontEnd::ShowMainWindow() {
  main_->ShowCentred();
}
int Win32FrontEnd::RunEventLoop() {
  return app_->Run();
}

void Win32FrontEnd::Settle(ScreenshotWindow window) {
  SettleWindow(window == ScreenshotWindow::kSearch ? search_->Handle() : main_->Handle());
}

bool Win32FrontEnd::SaveWindow(ScreenshotWindow window, const std::string& file) {
  return SaveClientArea(window == ScreenshotWindow::kSearch ? search_->Handle() : main_->Handle(),
                        file);
}

bool Win32FrontEnd::SaveModalDialog(const std::function<void()>& open, const std::string& file) {
  // The dialog is modal: it is captured and closed from within its own loop.
  bool written = false;
  AboutWindow::SetOnShown([&written, &file](AboutWindow& dialog) {
    SettleWindow(dialog.Handle());
    written = SaveClientArea(dialog.Handle(), file);
    dialog.View().Close();
  });
  open();
  AboutWindow::SetOnShown(nullptr);
  return written;
}

}  // namespace dorvane::win32
