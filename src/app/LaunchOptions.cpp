#include "app/LaunchOptions.h"

#include <charconv>

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

}  // namespace

std::optional<LaunchOptions> ParseLaunchOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  LaunchOptions options;
  std::optional<DateParts> date;
  std::optional<ScreenshotWindow> window;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--screenshot" || arg == "--date" || arg == "--window") {
      if (!hasValue) {
        error = "l'option " + arg + " attend une valeur";
        return std::nullopt;
      }
    }
    if (arg == "--screenshot") {
      options.screenshot.emplace().file = args[++i];
    } else if (arg == "--date") {
      date = ReadIsoDate(args[++i]);
      if (!date) {
        error = "date attendue sous la forme AAAA-MM-JJ : " + args[i];
        return std::nullopt;
      }
    } else if (arg == "--window") {
      const std::string& name = args[++i];
      if (name == "main") {
        window = ScreenshotWindow::kMain;
      } else if (name == "search") {
        window = ScreenshotWindow::kSearch;
      } else if (name == "about") {
        error = "la fenêtre « about » n'existe pas encore";
        return std::nullopt;
      } else {
        error = "fenêtre inconnue : " + name + " (main ou search)";
        return std::nullopt;
      }
    }
    // Anything else belongs to the other start-up options ("/debug"...).
  }
  if ((date || window) && !options.screenshot) {
    error = "--date et --window ne vont qu'avec --screenshot";
    return std::nullopt;
  }
  if (options.screenshot) {
    options.screenshot->date = date;
    if (window) options.screenshot->window = *window;
  }
  return options;
}

}  // namespace dorvane
