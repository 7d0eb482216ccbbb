// Dorvane on Windows. The options that print run as on Linux; a screenshot command writes a
// window to a PNG; otherwise the program starts as a window program.
#include <memory>
#include <string>

#include "cli/FrontEnd.h"
#include "cli/Program.h"
#include "platform/win32/Wide.h"
#include "win32/AboutWindow.h"
#include "win32/Application.h"
#include "win32/MainWindow.h"
#include "win32/PngFile.h"
#include "win32/SearchWindow.h"
#include "win32/StandardOutput.h"

namespace dorvane::win32 {

namespace {

class Win32FrontEnd final : public FrontEndWindows<MainWindow, SearchWindow, TApplication> {
 public:
  ApplicationHooks& CreateApplication() override {
    app_ = std::make_unique<TApplication>();
    return *app_;
  }

  int RunEventLoop() override { return app_->Run(); }
  // Handles what is waiting, then paints the window and its controls, twice: some controls
  // take their final size at their first paint.
  void Settle(ScreenshotWindow window) override {
    TApplication::ProcessPending();
    for (int i = 0; i < 2; ++i) {
      ::RedrawWindow(Handle(window), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
      TApplication::ProcessPending();
    }
  }
  bool SaveWindow(ScreenshotWindow window, const std::string& file) override {
    HBITMAP picture = CaptureClientArea(Handle(window));
    const bool written = WritePng(picture, file);
    if (picture != nullptr) ::DeleteObject(picture);
    return written;
  }

 private:
  HWND Handle(ScreenshotWindow window) const {
    if (window == ScreenshotWindow::kAbout) return TApplication::ModalWindow();
    return window == ScreenshotWindow::kSearch ? search_->Handle() : main_->Handle();
  }
};

class Win32Launcher final : public StandardLauncher {
 public:
  // A window program started from the desktop has no standard error: the line shows in the
  // error box instead.
  void WriteError(const std::string& line) override {
    if (WriteStandard(StandardStream::kError, line + "\n")) return;
    ::MessageBoxW(nullptr, platform::Wide(line).c_str(), platform::Wide(kApplicationTitle).c_str(),
                  MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }

  int RunWindows(const LaunchOptions& options) override {
    Win32FrontEnd frontEnd;
    return dorvane::RunWindows(frontEnd, options,
                               [this](const std::string& line) { WriteError(line); });
  }
};

}  // namespace

}  // namespace dorvane::win32

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  dorvane::win32::Win32Launcher launcher;
  return dorvane::RunProgram(dorvane::ProgramArguments(), launcher);
}
