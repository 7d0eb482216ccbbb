#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/LaunchOptions.h"

namespace dorvane {

// What the program's start needs of the system it runs on.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Standard output, for the options that print.
  virtual std::ostream& Output() = 0;
  // Writes one line for the user on standard error; where that goes nowhere visible (a window
  // program without a console, file or pipe), shows it where the user sees it too.
  virtual void WriteError(const std::string& line) = 0;
  // Starts the windowed program (RunWindows on the front end) with `options`; its exit code.
  virtual int RunWindows(const LaunchOptions& options) = 0;
};

// The program's start, the same on every system: `args` (without the program's name) either
// run an option that prints and exits, or open the windows (or take the screenshot they ask
// for) through the launcher; a command line refused is one line on standard error and the exit
// status kBadCommandLine. Returns the exit status.
int RunProgram(const std::vector<std::string>& args, Launcher& launcher);

}  // namespace dorvane
