#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Application.h"

#include "win32/Win32.h"

namespace dorvane::win32 {

// The application object: the program's title, its hidden window (which hears the system's
// broadcasts), the message loop, and the one top-level handler for every failure that escapes
// an event handler: it is shown in the error box and the loop goes on.
class TApplication final : private ApplicationView {
 public:
  // Receives the finished box text instead of the box (the screenshot prints it).
  using ErrorBox = std::function<void(const std::string& text)>;

  TApplication();
  ~TApplication() override;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  static TApplication* Instance();

  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title);
  HWND Handle() const { return window_; }

  void SetErrorBox(ErrorBox box) { errorBox_ = std::move(box); }
  // Cancels any mouse capture, then shows the failure's message in the error box.
  void HandleException(std::exception_ptr failure) {
    ShowFailure(*this, title_, std::move(failure));
  }
  // Called whenever the system announces new regional settings, or a new taskbar.
  void SetOnLocaleChange(std::function<void()> handler) { onLocaleChange_ = std::move(handler); }

  // The message loop, until the quit message; returns its exit code.
  int Run();
  // One message as the loop handles it: Enter presses a focused push button and nothing else;
  // Tab and the arrows move the focus in our windows as in a dialog.
  static void Dispatch(MSG& message);
  // Handles the messages waiting in the queue, and returns; a quit message is posted again.
  static void ProcessPending();
  // Runs the loop until `done` holds or the quit message comes (which is posted again for the
  // outer loop). Modal windows run their own loop through it.
  static void RunUntil(const bool& done);
  // Disables every visible, enabled window of the program but `except`, for a modal window;
  // returns them to enable again once it closes.
  static std::vector<HWND> DisableWindows(HWND except);
  static void EnableWindows(const std::vector<HWND>& windows);

 private:
  void CancelMouseCapture() override;
  void ShowErrorBox(std::string_view title, std::string_view text) override;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  UINT taskbarCreated_ = 0;
  std::string title_;
  ErrorBox errorBox_;
  std::function<void()> onLocaleChange_;
};

}  // namespace dorvane::win32
