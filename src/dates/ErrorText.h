#pragma once

#include <string>
#include <string_view>

namespace dorvane {

// The text of the error box for a failure's message: a "." is added when the message is not
// empty and its last character comes after "." in the character table, so messages that
// already end in ".", "!", ")" or a blank stay as they are.
inline std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace dorvane
