#pragma once

#include "cli/LaunchOptions.h"

namespace dorvane {

// The name of the Qt front end's entry point, which the program looks up once it has loaded
// the front end's library.
inline constexpr char kWindowEntryName[] = "DorvaneRunWindows";

// The windowed run of the program on Qt (RunWindows), with the program's arguments for Qt's own
// options. Returns the process exit code.
using WindowEntry = int (*)(int& argc, char** argv, const LaunchOptions& options);

}  // namespace dorvane
