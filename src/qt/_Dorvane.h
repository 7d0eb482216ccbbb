#pragma once

#include "cli/LaunchOptions.h"

namespace dorvane {

// The whole run of the program: start-up, the event loop (or the screenshot), shut-down.
// Returns the process exit code.
int RunDorvane(int& argc, char** argv, const LaunchOptions& options);

}  // namespace dorvane
