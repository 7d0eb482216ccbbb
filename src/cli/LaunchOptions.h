#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dates/DateValue.h"
#include "text/Utf8.h"

namespace dorvane {

enum class ScreenshotWindow { kMain, kSearch, kAbout };

// What "dorvane --screenshot FILE [--date YYYY-MM-DD] [--window main|search|about]" asks for.
struct ScreenshotRequest {
  std::string file;
  std::optional<DateParts> date;
  ScreenshotWindow window = ScreenshotWindow::kMain;
};

struct LaunchOptions {
  std::optional<ScreenshotRequest> screenshot;
};

// Whether the arguments (program name excluded) ask for a screenshot rather than the window or
// an option that prints.
bool IsScreenshotCommand(const std::vector<std::string>& args);

// Reads a screenshot command. Besides its own options only the debug switches ("/debug",
// "-debug", in any case) are allowed. Returns the options, or fills error with a French
// message for the user.
std::optional<LaunchOptions> ParseLaunchOptions(const std::vector<std::string>& args,
                                                std::string& error);

// The message when the screenshot cannot be written to `file`.
inline std::string ScreenshotWriteError(const std::string& file) {
  return "Impossible d'écrire " + OneLineText(file) + ".";
}

}  // namespace dorvane
