// Dorvane on Windows. The options that print run as on Linux; a screenshot command writes a
// window to a PNG; without an option of ours, the program starts as a window program.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/LaunchOptions.h"
#include "cli/Modules.h"
#include "platform/Process.h"
#include "win32/StandardOutput.h"
#include "win32/_Dorvane.h"

#include "win32/Win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args = dorvane::platform::SystemProcess().Arguments();
  if (!args.empty()) args.erase(args.begin());

  if (dorvane::IsScreenshotCommand(args)) {
    std::string error;
    const std::optional<dorvane::LaunchOptions> options = dorvane::ParseLaunchOptions(args, error);
    if (!options) {
      dorvane::WriteStandard(dorvane::StandardStream::kError, error + "\n");
      return dorvane::kBadCommandLine;
    }
    return dorvane::win32::RunDorvane(*options);
  }

  // The options that print and exit read the locale texts first; the window's start-up reads
  // them again in its own order.
  dorvane::ReloadDateLocale();
  dorvane::StandardStreamBuffer outBuffer(dorvane::StandardStream::kOutput);
  dorvane::StandardStreamBuffer errBuffer(dorvane::StandardStream::kError);
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  const dorvane::CommandLineOutcome outcome = dorvane::RunCommandLine(args, out, err);
  if (!outcome.openWindow) return outcome.exitStatus;
  return dorvane::win32::RunDorvane(dorvane::LaunchOptions());
}
