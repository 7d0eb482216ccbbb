#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace dorvane {

// The application object's title: the taskbar button's name and every error box's caption.
inline constexpr std::string_view kApplicationTitle = "Dorvane";

// The failure of a window that the system could not create.
inline constexpr std::string_view kWindowCreationFailure =
    "Erreur lors de la création de la fenêtre";

// What the application's top-level handler asks of the front end.
class ApplicationView {
 public:
  virtual ~ApplicationView() = default;

  // Lets any window that holds the mouse let it go (the cancel-mode message).
  virtual void CancelMouseCapture() = 0;
  // The stop box with one OK button, application-modal, titled `title`; returns when closed.
  virtual void ShowErrorBox(std::string_view title, std::string_view text) = 0;
};

// The error box's text for a failure that escaped a handler: its message, with a final "."
// where the message needs one; failures without a message of their own get a French one.
std::string FailureBoxText(std::exception_ptr failure);

// The top-level handler: cancels any mouse capture, then shows the failure in the error box
// captioned with the application's title. The event loop then goes on.
void ShowFailure(ApplicationView& view, std::string_view title, std::exception_ptr failure);

// The system's default sound (MessageBeep with MB_OK) through the application object, or the
// one a test puts in place (platform::Services); none without an application object.
void SystemBeep();

// The application object's part that is the same on every front end: its title, its error box
// (the system's, or a receiver put in its place), the handler of the system's locale changes,
// and, for the object's lifetime, the failure sink that brings every failure that escapes a
// handler to the error box. A front end adds its native part: the title given to the system,
// the system's box and sound, the mouse capture and where the locale announcements come from.
class ApplicationHooks : public ApplicationView {
 public:
  // Receives the finished box text (final "." already applied) instead of the system's box:
  // the screenshot prints it, tests record it.
  using ErrorBox = std::function<void(const std::string& text)>;

  ApplicationHooks();
  ~ApplicationHooks() override;
  ApplicationHooks(const ApplicationHooks&) = delete;
  ApplicationHooks& operator=(const ApplicationHooks&) = delete;

  void SetTitle(std::string_view title);
  // Null: the system's box again.
  void SetErrorBox(ErrorBox box) { errorBox_ = std::move(box); }
  // Cancels any mouse capture, then shows the failure's message in the error box.
  void HandleException(std::exception_ptr failure);
  // Called whenever the system announces new locale settings.
  void SetOnLocaleChange(std::function<void()> handler) { onLocaleChange_ = std::move(handler); }
  // The system's own default sound.
  virtual void SoundBeep() = 0;

 protected:
  // The front end heard the system announce new locale settings; false when nobody listens.
  bool LocaleChanged();
  // The title given to the system (the taskbar button's name).
  virtual void ApplyTitle(std::string_view title) = 0;
  // The system's stop box with one OK button, application-modal; returns when closed.
  virtual void ShowSystemErrorBox(std::string_view title, std::string_view text) = 0;

 private:
  void ShowErrorBox(std::string_view title, std::string_view text) final;

  std::string title_;
  ErrorBox errorBox_;
  std::function<void()> onLocaleChange_;
};

}  // namespace dorvane
