// Dorvane on Windows. The options that print run as on Linux; a screenshot command writes a
// window to a PNG; otherwise the program starts as a window program.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Program.h"
#include "forms/Application.h"
#include "platform/Process.h"
#include "platform/win32/Wide.h"
#include "win32/StandardOutput.h"
#include "win32/_Dorvane.h"

#include "win32/Win32.h"

namespace {

class Win32Launcher final : public dorvane::Launcher {
 public:
  std::ostream& Output() override { return output_; }

  // A window program started from the desktop has no standard error: the line shows in the
  // error box instead.
  void WriteError(const std::string& line) override {
    if (dorvane::WriteStandard(dorvane::StandardStream::kError, line + "\n")) return;
    ::MessageBoxW(nullptr, dorvane::platform::Wide(line).c_str(),
                  dorvane::platform::Wide(dorvane::kApplicationTitle).c_str(),
                  MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }

  int RunWindows(const dorvane::LaunchOptions& options) override {
    const std::unique_ptr<dorvane::FrontEnd> frontEnd = dorvane::win32::CreateFrontEnd();
    return dorvane::RunWindows(*frontEnd, options,
                               [this](const std::string& line) { WriteError(line); });
  }

 private:
  dorvane::StandardStreamBuffer outputBuffer_{dorvane::StandardStream::kOutput};
  std::ostream output_{&outputBuffer_};
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args = dorvane::platform::SystemProcess().Arguments();
  if (!args.empty()) args.erase(args.begin());
  Win32Launcher launcher;
  return dorvane::RunProgram(args, launcher);
}
