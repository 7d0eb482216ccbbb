#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QtGlobal>

#include "cli/CommandLine.h"
#include "cli/LaunchOptions.h"
#include "cli/Modules.h"
#include "qt/_Dorvane.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);

  if (dorvane::IsScreenshotCommand(args)) {
    std::string error;
    const std::optional<dorvane::LaunchOptions> options = dorvane::ParseLaunchOptions(args, error);
    if (!options) {
      std::cerr << error << std::endl;
      return dorvane::kBadCommandLine;
    }
    // A screenshot never needs a display, and never flashes a window on one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return dorvane::RunDorvane(argc, argv, *options);
  }

  // The options that print and exit read the locale texts first; the window's start-up reads
  // them again in its own order.
  dorvane::ReloadDateLocale();
  const dorvane::CommandLineOutcome outcome = dorvane::RunCommandLine(args, std::cout, std::cerr);
  if (!outcome.openWindow) return outcome.exitStatus;
  return dorvane::RunDorvane(argc, argv, dorvane::LaunchOptions());
}
