#pragma once

#include <functional>
#include <memory>
#include <string>

#include "cli/LaunchOptions.h"

namespace dorvane {

class ApplicationHooks;
class TForm1;
class TForm2;

// Writes one line for the user on standard error, or where the system shows it instead.
using ErrorLine = std::function<void(const std::string& line)>;

// What the program's start asks of a front end: the application object, the two windows, the
// event loop and the windows' pictures. The order of start-up and shut-down and the screenshot
// are the program's own (RunWindows); a front end only makes and shows its windows.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // The application object, with what the front end's windows need of it.
  virtual ApplicationHooks& CreateApplication() = 0;
  // The main window (whose FormCreate ends its construction), then the search dialog, hidden.
  // Throws when a window cannot be made.
  virtual void CreateWindows() = 0;
  // The windows go, the search dialog first; the main window's FormDestroy runs on the way.
  virtual void DestroyWindows() = 0;
  virtual TForm1& MainForm() = 0;
  virtual TForm2& SearchForm() = 0;

  // Shows the main window (centred on its screen the first time), raised and active.
  virtual void ShowMainWindow() = 0;
  // The event loop, until the main window is closed; the process's exit code.
  virtual int RunEventLoop() = 0;
  // Handles what is waiting and paints the window in full: some controls take their final size
  // at their first paint. The About dialog is the modal one showing.
  virtual void Settle(ScreenshotWindow window) = 0;
  // Writes the window's client area with its menu bar to `file` as a PNG, as it shows. False
  // when nothing was written.
  virtual bool SaveWindow(ScreenshotWindow window, const std::string& file) = 0;
};

// The two windows as every front end makes them, from its window classes `Main` and `Search`,
// and its application object `App` (the shared hooks).
template <class Main, class Search, class App>
class FrontEndWindows : public FrontEnd {
 public:
  // The windows go before the application object, whatever happened.
  ~FrontEndWindows() override { DestroyWindows(); }

  void CreateWindows() override {
    main_ = std::make_unique<Main>();
    search_ = std::make_unique<Search>(main_->View(), main_->Form().Calendar1());
    main_->Form().SetSearchDialog(&search_->Form());
  }
  void DestroyWindows() override {
    if (main_) main_->Form().SetSearchDialog(nullptr);
    search_.reset();
    main_.reset();
  }
  TForm1& MainForm() override { return main_->Form(); }
  TForm2& SearchForm() override { return search_->Form(); }

  void ShowMainWindow() override { main_->View().BringForward(); }

 protected:
  std::unique_ptr<App> app_;
  std::unique_ptr<Main> main_;
  std::unique_ptr<Search> search_;
};

// The windowed run of the program, on any front end: the modules (the locale texts, the help
// binding and its probe) before any window or other thread exists, the application object,
// the windows, then the event loop or the screenshot `options` ask for; shut-down in reverse
// order. Returns the process's exit code.
int RunWindows(FrontEnd& frontEnd, const LaunchOptions& options, const ErrorLine& error);

}  // namespace dorvane
