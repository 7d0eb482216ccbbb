// dorvane.com, the console companion of dorvane.exe: cmd prefers it for the name "dorvane".
// It runs the options that print in the console that started it, and ends with their status;
// for anything else it starts dorvane.exe beside it with the same arguments (and, for a
// screenshot, waits for it and ends with its status).
#include <string>
#include <string_view>

#include "cli/CommandLine.h"
#include "platform/Process.h"
#include "platform/win32/Wide.h"
#include "text/Paths.h"
#include "win32/StandardOutput.h"

#include "win32/Win32.h"

#include <shlwapi.h>

namespace {

// Starts dorvane.exe from our own folder with our arguments; with `wait`, ends with its status.
int StartWindowProgram(bool wait) {
  using namespace dorvane;
  const std::string self = platform::SystemProcess().ModuleFileName();
  const std::string program = DirectoryOf(self) + "\\dorvane.exe";
  std::wstring line = L"\"" + platform::Wide(program) + L"\"";
  // The command line after the program's name, as the shell reads that name.
  const std::wstring_view rest = ::PathGetArgsW(::GetCommandLineW());
  if (!rest.empty()) line += L" " + std::wstring(rest);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // A screenshot's messages go to our standard error.
  if (wait) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  }
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(platform::Wide(program).c_str(), line.data(), nullptr, nullptr, wait, 0,
                        nullptr, nullptr, &startup, &started)) {
    WriteStandard(StandardStream::kError, "Impossible de lancer " + OneLineText(program) + ".\n");
    return kOutputFailed;
  }
  DWORD status = 0;
  if (wait) {
    ::WaitForSingleObject(started.hProcess, INFINITE);
    ::GetExitCodeProcess(started.hProcess, &status);
  }
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  return static_cast<int>(status);
}

// The options that print run here, in the console; the windows in dorvane.exe.
class ConsoleLauncher final : public dorvane::StandardLauncher {
 public:
  int RunWindows(const dorvane::LaunchOptions& options) override {
    return StartWindowProgram(options.screenshot.has_value());
  }
};

}  // namespace

int main() {
  ConsoleLauncher launcher;
  return dorvane::RunProgram(dorvane::ProgramArguments(), launcher);
}
