#include "platform/Desktop.h"

#include <windows.h>

namespace dorvane::platform {

void* DesktopWindow() {
  return ::GetDesktopWindow();
}

}  // namespace dorvane::platform
