#pragma once

#include <exception>
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

}  // namespace dorvane
