#include "cli/LaunchOptions.h"

#include "cli/IsoDate.h"

#include "dates/ConvertError.h"
#include "dates/ErrorText.h"
#include "text/Utf8.h"

namespace dorvane {

namespace {

bool IsOwnOption(const std::string& arg) {
  return arg == "--screenshot" || arg == "--date" || arg == "--window";
}

}  // namespace

std::optional<std::size_t> CommandIndex(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].starts_with("--")) return i;
  }
  return std::nullopt;
}

bool IsScreenshotCommand(const std::vector<std::string>& args) {
  // A later argument is an operand of the command (as in "--format --date").
  const std::optional<std::size_t> command = CommandIndex(args);
  return command && IsOwnOption(args[*command]);
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
      // A name that is no text (a lone UTF-16 surrogate on Windows, stray bytes on Linux)
      // would be written under another name: it is refused.
      if (!IsWellFormedUtf8(args[i + 1])) {
        error = "Nom de fichier illisible : '" + OneLineText(args[i + 1]) + "'.";
        return std::nullopt;
      }
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
        error = "Fenêtre inconnue : " + Quoted(name) + " ; fenêtres : main, search, about.";
        return std::nullopt;
      }
    } else if (arg.starts_with("--")) {
      error = "Option inconnue : " + Quoted(arg) + " (voir dorvane --help).";
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
