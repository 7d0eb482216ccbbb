#include "win32/_Dorvane.h"

#include <memory>
#include <string>

#include "cli/Modules.h"
#include "forms/Application.h"
#include "forms/Handlers.h"
#include "forms/MainForm.h"
#include "win32/AboutWindow.h"
#include "win32/Application.h"
#include "win32/MainWindow.h"
#include "win32/PngFile.h"
#include "win32/SearchWindow.h"
#include "win32/StandardOutput.h"

#include <commctrl.h>

namespace dorvane::win32 {

namespace {

// Handles what is waiting, then paints the window and its controls, twice: some controls
// take their final size at their first paint.
void Settle(HWND window) {
  TApplication::ProcessPending();
  for (int i = 0; i < 2; ++i) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    TApplication::ProcessPending();
  }
}

// Writes the chosen window to a PNG, as it shows (client area with the menu bar).
int TakeScreenshot(TApplication& app, MainWindow& form1, SearchWindow& form2,
                   const ScreenshotRequest& request) {
  bool failed = false;
  app.SetErrorBox([&failed](const std::string& text) {
    WriteStandard(StandardStream::kError, text + "\n");
    failed = true;
  });
  form1.ShowCentred();
  Settle(form1.Handle());
  if (request.date) {
    // Through the search dialog, as a user would type it.
    form2.Form().TypeDate(*request.date);
    RunHandler([&form2] { form2.Form().btnAfficherClick(); });
    if (failed) return 1;
  }
  HBITMAP picture = nullptr;
  if (request.window == ScreenshotWindow::kAbout) {
    // The dialog is modal: it is captured and closed from within its own loop.
    AboutWindow::SetOnShown([&picture](AboutWindow& dialog) {
      Settle(dialog.Handle());
      picture = CaptureClientArea(dialog.Handle());
      dialog.View().Close();
    });
    RunHandler([&form1] { form1.Form().Aproposde1Click(); });
    AboutWindow::SetOnShown(nullptr);
  } else {
    HWND window = form1.Handle();
    if (request.window == ScreenshotWindow::kSearch) {
      RunHandler([&form1] { form1.Form().tlbtnRechercherClick(); });
      window = form2.Handle();
    }
    Settle(window);
    picture = CaptureClientArea(window);
  }
  const bool written = WritePng(picture, request.file);
  if (picture != nullptr) ::DeleteObject(picture);
  if (!written) {
    WriteStandard(StandardStream::kError, ScreenshotWriteError(request.file) + "\n");
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace

int RunDorvane(const LaunchOptions& options) {
  // 1. The modules: the locale texts, then the help binding and its probe, before any window
  // of ours exists.
  StartModules();

  // 2. The application object (its hidden window) and its title.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  TApplication app;
  app.SetOnLocaleChange(ReloadDateLocale);
  app.SetTitle(kApplicationTitle);

  int exitCode = 0;
  {
    // 3 and 4. The main window, whose FormCreate ends its construction; 5. the search dialog,
    // hidden.
    std::unique_ptr<MainWindow> form1;
    std::unique_ptr<SearchWindow> form2;
    try {
      form1 = std::make_unique<MainWindow>();
      form2 = std::make_unique<SearchWindow>(form1->View(), form1->Form().Calendar1());
      form1->SetSearchDialog(form2.get());
    } catch (...) {
      app.HandleException(std::current_exception());
      exitCode = 1;
    }

    // 6. The message loop, which shows the main window and runs until it is closed.
    if (exitCode == 0) {
      if (options.screenshot) {
        exitCode = TakeScreenshot(app, *form1, *form2, *options.screenshot);
      } else {
        form1->ShowCentred();
        exitCode = app.Run();
      }
    }
    // Shut-down: the windows go first; the main window's FormDestroy runs on the way.
    if (form1) form1->SetSearchDialog(nullptr);
    form2.reset();
    form1.reset();
  }
  StopModules();
  return exitCode;
}

}  // namespace dorvane::win32
