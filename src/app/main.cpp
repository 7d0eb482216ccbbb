// Dorvane on Linux. The options that print run without any toolkit; the windows (and the
// screenshot) are the Qt front end's, a library of the program's own loaded only for them.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/IsoDate.h"
#include "cli/Program.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "qt/_Dorvane.h"
#include "text/Paths.h"

namespace {

class LinuxLauncher final : public dorvane::Launcher {
 public:
  LinuxLauncher(int& argc, char** argv) : argc_(argc), argv_(argv) {}

  std::ostream& Output() override { return std::cout; }

  void WriteError(const std::string& line) override { std::cerr << line << std::endl; }

  int RunWindows(const dorvane::LaunchOptions& options) override {
    namespace platform = dorvane::platform;
    // A screenshot never needs a display, and never flashes a window on one.
    if (options.screenshot) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Beside the executable in the build tree; in the program's library directory once
    // installed. It stays loaded until the process ends.
    const std::string path = platform::InstalledFilePath(
        dorvane::DirectoryOf(platform::SystemProcess().ModuleFileName()), DORVANE_FRONT_END_FILE,
        DORVANE_FRONT_END_RELDIR);
    platform::DynamicLibraries& libraries = platform::SystemLibraries();
    const auto run = platform::FindFunction<dorvane::WindowEntry>(libraries, libraries.Load(path),
                                                                  dorvane::kWindowEntryName);
    if (run == nullptr) {
      WriteError("Impossible de charger " + dorvane::Quoted(path) + ".");
      return 1;
    }
    return run(argc_, argv_, options);
  }

 private:
  int& argc_;
  char** argv_;
};

}  // namespace

int main(int argc, char* argv[]) {
  LinuxLauncher launcher(argc, argv);
  return dorvane::RunProgram(std::vector<std::string>(argv + 1, argv + argc), launcher);
}
