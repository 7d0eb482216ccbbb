#include "cli/LaunchOptions.h"

#include "cli/IsoDate.h"

#include "dates/ConvertError.h"
#include "dates/ErrorText.h"
#include "help/hh_funcs.h"
#include "text/Utf8.h"

namespace dorvane {

namespace {

bool IsOwnOption(const std::string& arg) {
  return arg == "--screenshot" || arg == "--date" || arg == "--window";
}

}  // namespace

bool IsScreenshotCommand(const std::vector<std::string>& args) {
  // The command is named by its first argument, the debug switches aside: a later one is an
  // operand of another option (as in "--format --date").
  for (const std::string& arg : args) {
    if (!IsDebugArgument(arg)) return IsOwnOption(arg);
  }
  return false;
}

std::optional<LaunchOptions> ParseLaunchOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  LaunchOptions options;
  std::optional<DateParts> date;
  std::optional<ScreenshotWindow> window;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (IsOwnOption(arg) && !hasValue) {
      error = "L'option " + arg + " attend une valeur (voir dorvane --help).";
      return std::nullopt;
    }
    if (arg == "--screenshot") {
      options.screenshot.emplace().file = args[++i];
    } else if (arg == "--date") {
      const std::optional<IsoMoment> moment = ReadIsoMoment(args[++i], false);
      if (!moment) {
        error = MalformedMomentMessage(args[i], false);
        return std::nullopt;
      }
      // An impossible date (2005-02-29) is refused here, with the program's own message,
      // before any window exists.
      try {
        MakeDate(moment->date.year, moment->date.month, moment->date.day);
      } catch (const EConvertError& e) {
        error = ErrorBoxText(e.what());
        return std::nullopt;
      }
      date = moment->date;
    } else if (arg == "--window") {
      const std::string& name = args[++i];
      if (name == "main") {
        window = ScreenshotWindow::kMain;
      } else if (name == "search") {
        window = ScreenshotWindow::kSearch;
      } else if (name == "about") {
        window = ScreenshotWindow::kAbout;
      } else {
        error = "Fenêtre inconnue : '" + OneLineText(name) + "' ; fenêtres : main, search, about.";
        return std::nullopt;
      }
    } else if (!IsDebugArgument(arg)) {
      error = "Option inconnue : '" + OneLineText(arg) + "' (voir dorvane --help).";
      return std::nullopt;
    }
  }
  if ((date || window) && !options.screenshot) {
    error = "Les options --date et --window vont avec --screenshot (voir dorvane --help).";
    return std::nullopt;
  }
  if (options.screenshot) {
    options.screenshot->date = date;
    if (window) options.screenshot->window = *window;
  }
  return options;
}

}  // namespace dorvane
