#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "dates/DateLocale.h"
#include "dates/DateValue.h"
#include "platform/QtLocaleSource.h"

int main(int argc, char* argv[]) {
  dorvane::LoadDateLocale(*dorvane::platform::UserLocaleSource());

  const std::vector<std::string> args(argv + 1, argv + argc);
  const dorvane::CommandLineOutcome outcome = dorvane::RunCommandLine(args, std::cout, std::cerr);
  if (!outcome.openWindow) return outcome.exitStatus;

  // Until the main window exists, the program shows today's captions.
  std::cout << dorvane::CaptionLines(dorvane::TodayDate());
  return 0;
}
