#include "cli/FrontEnd.h"

#include "cli/Modules.h"
#include "forms/Application.h"
#include "forms/Handlers.h"
#include "forms/MainForm.h"
#include "forms/_Recherche.h"

namespace dorvane {
namespace {

// Writes the chosen window to a PNG, as it shows. A failure on the way (a date refused by the
// search dialog) goes to standard error instead of the error box and fails the screenshot.
int TakeScreenshot(FrontEnd& frontEnd, ApplicationHooks& app, const ScreenshotRequest& request,
                   const ErrorLine& error) {
  bool failed = false;
  app.SetErrorBox([&failed, &error](const std::string& text) {
    error(text);
    failed = true;
  });
  frontEnd.ShowMainWindow();
  frontEnd.Settle(ScreenshotWindow::kMain);
  if (request.date) {
    // Through the search dialog, as a user would type it.
    TForm2& search = frontEnd.SearchForm();
    search.TypeDate(*request.date);
    RunHandler([&search] { search.btnAfficherClick(); });
    if (failed) return 1;
  }
  TForm1& main = frontEnd.MainForm();
  bool written = false;
  if (request.window == ScreenshotWindow::kAbout) {
    // The dialog is modal: it is written and closed from within its own loop.
    AboutDialog::onShown = [&frontEnd, &request, &written](AboutDialog& dialog) {
      frontEnd.Settle(request.window);
      written = frontEnd.SaveWindow(request.window, request.file);
      dialog.View().Close();
    };
    RunHandler([&main] { main.Aproposde1Click(); });
    AboutDialog::onShown = nullptr;
  } else {
    if (request.window == ScreenshotWindow::kSearch) {
      RunHandler([&main] { main.tlbtnRechercherClick(); });
    }
    frontEnd.Settle(request.window);
    written = frontEnd.SaveWindow(request.window, request.file);
  }
  app.SetErrorBox(nullptr);
  if (!written) {
    error(ScreenshotWriteError(request.file));
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace

int RunWindows(FrontEnd& frontEnd, const LaunchOptions& options, const ErrorLine& error) {
  // 1. The modules, before any window or other thread exists (a toolkit's application object
  // may start threads of its own). In debug mode the user is told where the report went.
  if (const std::string note = StartModules(); !note.empty()) error(note);
  // 2. The application object and its title; it reloads the locale texts whenever the system
  // announces new settings.
  ApplicationHooks& app = frontEnd.CreateApplication();
  app.SetTitle(kApplicationTitle);
  app.SetOnLocaleChange(ReloadDateLocale);
  int exitCode = 0;
  // 3 and 4. The main window, whose FormCreate ends its construction; 5. the search dialog,
  // hidden.
  try {
    frontEnd.CreateWindows();
  } catch (...) {
    app.HandleException(std::current_exception());
    exitCode = 1;
  }
  // 6. The event loop, which shows the main window and runs until it is closed.
  if (exitCode == 0) {
    if (options.screenshot) {
      exitCode = TakeScreenshot(frontEnd, app, *options.screenshot, error);
    } else {
      frontEnd.ShowMainWindow();
      exitCode = frontEnd.RunEventLoop();
    }
  }
  // Shut-down: the windows first, then the modules while the application object still lives
  // (the help viewer's windows may be the toolkit's).
  frontEnd.DestroyWindows();
  StopModules();
  return exitCode;
}

}  // namespace dorvane
