#include "cli/Program.h"

#include <optional>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/Modules.h"

namespace dorvane {

int RunProgram(const std::vector<std::string>& args, Launcher& launcher) {
  if (IsScreenshotCommand(args)) {
    std::string error;
    const std::optional<LaunchOptions> options = ParseLaunchOptions(args, error);
    if (!options) {
      launcher.WriteError(error);
      return kBadCommandLine;
    }
    return launcher.RunWindows(*options);
  }
  if (!CommandIndex(args)) return launcher.RunWindows(LaunchOptions());

  // The options that print read the user's locale texts first.
  ReloadDateLocale();
  std::ostringstream errors;
  const CommandLineOutcome outcome = RunCommandLine(args, launcher.Output(), errors);
  std::string line = errors.str();
  if (!line.empty()) {
    if (line.back() == '\n') line.pop_back();
    launcher.WriteError(line);
  }
  if (outcome.openWindow) return launcher.RunWindows(LaunchOptions());
  return outcome.exitStatus;
}

}  // namespace dorvane
