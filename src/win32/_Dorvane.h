#pragma once

#include "cli/LaunchOptions.h"

namespace dorvane::win32 {

// The whole run of the window program: start-up, the message loop (or the screenshot),
// shut-down. Returns the process exit code.
int RunDorvane(const LaunchOptions& options);

}  // namespace dorvane::win32
