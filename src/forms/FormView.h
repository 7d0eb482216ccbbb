#pragma once

#include <string>
#include <string_view>

namespace dorvane {

// What a form asks of the window that a front end built for it from the form's layout table.
// Controls are named as in that table. Each front end implements it; tests use a fake.
class FormView {
 public:
  virtual ~FormView() = default;

  // A control's text: a label's or a button's caption, an edit's text.
  virtual void SetText(std::string_view control, std::string_view text) = 0;
  // An edit's text as the user left it.
  virtual std::string Text(std::string_view control) const = 0;
  virtual void SetFocus(std::string_view control) = 0;

  // Shows the window: centred on the screen the first time, where it was left afterwards;
  // out of the minimised state, raised above the program's other windows and active.
  virtual void BringForward() = 0;
  // Closes the window: the main window ends the program, any other one is only hidden.
  virtual void Close() = 0;
};

}  // namespace dorvane
