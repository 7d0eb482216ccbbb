#pragma once

#include <string_view>
#include <vector>

#include "forms/Application.h"
#include "platform/win32/Wide.h"

#include "win32/Win32.h"

namespace dorvane::win32 {

// The application object on Win32: the shared hooks (title, error box, sound, locale reload,
// failure sink) with their native part, the common controls made ready, its hidden window
// (which hears the system's broadcasts), and the message loop. A failure that escapes an event
// handler is shown in the error box and the loop goes on.
class TApplication final : public ApplicationHooks {
 public:
  TApplication();
  ~TApplication() override;

  HWND Handle() const { return window_; }
  // The message loop, until the quit message; returns its exit code.
  int Run();
  // One message as the loop handles it: Enter presses a focused push button and nothing else;
  // Tab and the arrows move the focus in our windows as in a dialog.
  static void Dispatch(MSG& message);
  // Handles the messages waiting in the queue, and returns; a quit message is posted again and
  // makes it false.
  static bool ProcessPending();
  // Runs the loop until `done` holds or the quit message comes (which is posted again for the
  // outer loop). Modal windows run their own loop through it.
  static void RunUntil(const bool& done) {
    while (!done && ProcessPending() && !done) ::WaitMessage();
  }
  // Disables every visible, enabled window of the program but `except`, for a modal window;
  // returns them to enable again once it closes.
  static std::vector<HWND> DisableWindows(HWND except);
  static void EnableWindows(const std::vector<HWND>& windows);
  // The window in front while the program's others are disabled (the error box, a modal
  // dialog): the first visible, enabled window of ours with a caption; null when none.
  static HWND ModalWindow();

 private:
  void CancelMouseCapture() override {
    if (HWND holder = ::GetCapture()) ::SendMessageW(holder, WM_CANCELMODE, 0, 0);
  }
  void ApplyTitle(std::string_view title) override {
    ::SetWindowTextW(window_, platform::Wide(title).c_str());
  }
  void ShowSystemErrorBox(std::string_view title, std::string_view text) override;
  void SoundBeep() override { ::MessageBeep(MB_OK); }
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  UINT taskbarCreated_ = 0;
};

}  // namespace dorvane::win32
