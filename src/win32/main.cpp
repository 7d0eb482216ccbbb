// Dorvane on Windows. The options that print run as on Linux; without one, the program starts
// as a window program.
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "dates/DateLocale.h"
#include "help/hh.h"
#include "help/hh_funcs.h"
#include "platform/LocaleSource.h"
#include "platform/Process.h"
#include "platform/win32/Wide.h"
#include "win32/StandardOutput.h"

namespace {

constexpr const char* kNoWindowYet =
    "La fenêtre de Dorvane n'est pas encore disponible sous Windows.\n\n"
    "Les options de la ligne de commande fonctionnent déjà : dorvane --help les décrit.";

int RunWindowProgram() {
  // The modules, in the order of the program's start-up: the locale texts, then the help
  // binding and its probe.
  dorvane::LoadDateLocale(*dorvane::platform::UserLocaleSource());
  dorvane::LoadHelpViewer();
  dorvane::ProbeHelpEnvironment();
  ::MessageBoxW(nullptr, dorvane::platform::Wide(kNoWindowYet).c_str(), L"Dorvane",
                MB_OK | MB_ICONINFORMATION);
  dorvane::UnloadHelpViewer();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args = dorvane::platform::SystemProcess().Arguments();
  if (!args.empty()) args.erase(args.begin());

  dorvane::LoadDateLocale(*dorvane::platform::UserLocaleSource());
  dorvane::StandardStreamBuffer outBuffer(dorvane::StandardStream::kOutput);
  dorvane::StandardStreamBuffer errBuffer(dorvane::StandardStream::kError);
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  const dorvane::CommandLineOutcome outcome = dorvane::RunCommandLine(args, out, err);
  if (outcome.openWindow) return RunWindowProgram();
  return outcome.exitStatus;
}
