#pragma once

namespace dorvane {

// The system's default sound, where Windows programs call MessageBeep(MB_OK); a test puts its
// own in place through platform::Services.
void MessageBeep();

}  // namespace dorvane
