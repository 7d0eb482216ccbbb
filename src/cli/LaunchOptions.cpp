#include "cli/LaunchOptions.h"

#include <charconv>

#include "help/hh_funcs.h"

namespace dorvane {

namespace {

bool ReadNumber(const std::string& text, std::size_t from, std::size_t length, int& out) {
  if (from + length > text.size()) return false;
  for (std::size_t i = from; i < from + length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return std::from_chars(text.data() + from, text.data() + from + length, out).ec == std::errc{};
}

std::optional<DateParts> ReadIsoDate(const std::string& text) {
  int y = 0;
  int m = 0;
  int d = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  if (!ReadNumber(text, 0, 4, y) || !ReadNumber(text, 5, 2, m) || !ReadNumber(text, 8, 2, d)) {
    return std::nullopt;
  }
  return DateParts{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                   static_cast<std::uint16_t>(d)};
}

bool IsOwnOption(const std::string& arg) {
  return arg == "--screenshot" || arg == "--date" || arg == "--window";
}

}  // namespace

bool IsScreenshotCommand(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (IsOwnOption(arg)) return true;
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
      date = ReadIsoDate(args[++i]);
      if (!date) {
        error = "Date attendue sous la forme AAAA-MM-JJ : '" + args[i] + "'.";
        return std::nullopt;
      }
    } else if (arg == "--window") {
      const std::string& name = args[++i];
      if (name == "main") {
        window = ScreenshotWindow::kMain;
      } else if (name == "search") {
        window = ScreenshotWindow::kSearch;
      } else if (name == "about") {
        window = ScreenshotWindow::kAbout;
      } else {
        error = "Fenêtre inconnue : '" + name + "' ; fenêtres : main, search, about.";
        return std::nullopt;
      }
    } else if (!IsDebugArgument(arg)) {
      error = "Option inconnue : '" + arg + "' (voir dorvane --help).";
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
