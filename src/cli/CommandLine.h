#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dorvane {

// What the command line led to.
struct CommandLineOutcome {
  bool openWindow = false;  // no option: the program starts as usual
  int exitStatus = 0;       // otherwise the program ends with this status
};

// Exit status of a refused command line.
inline constexpr int kBadCommandLine = 2;
// Exit status when the results could not be written (a full disk, a closed output).
inline constexpr int kOutputFailed = 1;

// Runs the options that print and exit (--print, --month [--weeks], --holidays, --format,
// --help, --version); `args` leaves out the program's name. The option is the first argument
// that begins with "--" and takes the arguments after it; those before it are ignored (see
// CommandIndex). Without such an argument, the window opens. Results go to `out` only when
// the whole command succeeded; a refusal writes nothing there and one line to `err`, and ends
// with kBadCommandLine; a failed write to `out` writes one line to `err` and ends with
// kOutputFailed.
CommandLineOutcome RunCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err);

// The lines that --print writes for a date: month banner, weekday line, day of the year and
// moon phase, each followed by a newline.
std::string CaptionLines(double date);

}  // namespace dorvane
