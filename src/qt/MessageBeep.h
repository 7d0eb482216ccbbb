#pragma once

#include <functional>

namespace dorvane {

// The system's default sound, where Windows programs call MessageBeep(MB_OK).
void MessageBeep();

// Replaces the sound, for tests that count beeps; an empty function restores the system's.
void SetMessageBeep(std::function<void()> sound);

}  // namespace dorvane
