#include "platform/Desktop.h"

namespace dorvane::platform {

// Help windows are top-level windows of the viewer's own.
void* DesktopWindow() {
  return nullptr;
}

std::optional<std::string> AnsiText(std::string_view utf8) {
  return std::string(utf8);
}

}  // namespace dorvane::platform
